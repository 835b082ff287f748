#include "app/BoardDataTrial.h"

#include "app/Utilities.h"

#include <QFile>

namespace BoardDataTrial {

QString trialFile(const QString &styleFolder) {
    return styleFolder + QStringLiteral("/testdata.txt");
}

QString dataFile(const QString &styleFolder) {
    return styleFolder + QStringLiteral("/data.txt");
}

bool pending(const QString &styleFolder) {
    return FileExists(trialFile(styleFolder));
}

bool keep(const QString &styleFolder, QString &error) {
    QFile trial(trialFile(styleFolder));
    if (!trial.open(QIODevice::ReadOnly)) {
        error = trial.errorString();
        return false;
    }
    const QByteArray bytes = trial.readAll();
    trial.close();
    error = WriteWholeFile(dataFile(styleFolder), bytes);
    if (!error.isEmpty())
        return false;
    QFile::remove(trialFile(styleFolder));
    return true;
}

bool discard(const QString &styleFolder) {
    const QString trial = trialFile(styleFolder);
    return !QFile::exists(trial) || QFile::remove(trial);
}

}  // namespace BoardDataTrial
