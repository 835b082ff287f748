#pragma once
// Where the program lives: its version and its folder of data files.
#include <QString>

namespace Program {

// Major, minor and revision joined by points, as sent in the login line.
QString versionString();

// The folder beside the executable that holds html/, wavs/, pics/ and the data files.
QString folder();
void setFolder(const QString &path);

// A path inside the program folder. Each component is looked up without regard to
// case when the exact spelling does not exist ("Default" and "default" are one folder).
QString path(const QString &relative);

// True when `name` is a bare file name that cannot leave the folder it is joined to.
bool isSafeFileName(const QString &name);

}  // namespace Program
