#pragma once
// The board-data editor's trial coordinate file (testdata.txt beside the style's data.txt):
// kept as the style's data.txt when the preferences are saved, thrown away otherwise.
#include <QString>
#include <QStringList>

namespace BoardDataTrial {

// The coordinate file's keys, in the order the editor writes them.
const QStringList &keys();

QString trialFile(const QString &styleFolder);
QString dataFile(const QString &styleFolder);

// True when a trial with content waits in the folder.
bool pending(const QString &styleFolder);

// Writes the trial's bytes over data.txt, whole or not at all, and removes the trial only
// once data.txt is written. False, with the reason in `error`, when data.txt stays as it was.
bool keep(const QString &styleFolder, QString &error);

// Writes the trial from the eight values, each as typed, one "key value" line apiece
// ending in CR LF; whole or not at all. False, with the reason in `error`, when nothing
// was written.
bool write(const QString &styleFolder, const QStringList &values, QString &error);

// Removes the trial; true when there is none left.
bool discard(const QString &styleFolder);

}  // namespace BoardDataTrial
