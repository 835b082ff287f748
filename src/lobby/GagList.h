#pragma once
// The players whose lines the user does not want to see, read from gaglist.txt.
#include <QString>
#include <QStringList>

class GagList {
public:
    // Empties the list and reads the file one name per line; a missing file leaves it empty.
    void LoadGagList(const QString &path);
    bool IsGagged(const QString &name) const;
    const QStringList &names() const { return names_; }

private:
    QStringList names_;
};
