#include "app/BoardDataTrial.h"

#include "app/Utilities.h"

#include <QFile>

namespace BoardDataTrial {

const QStringList &keys() {
    static const QStringList names{QStringLiteral("sp_left"),     QStringLiteral("sp_top"),
                                   QStringLiteral("sp_bottom"),   QStringLiteral("sp_bar"),
                                   QStringLiteral("sp_bearOffx"), QStringLiteral("sp_bearOffy"),
                                   QStringLiteral("sp_chipOffset"), QStringLiteral("sp_cubex")};
    return names;
}

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

bool write(const QString &styleFolder, const QStringList &values, QString &error) {
    QByteArray text;
    for (qsizetype i = 0; i < keys().size(); ++i)
        text += (keys().at(i) + ' ' + values.value(i) + QStringLiteral("\r\n")).toLatin1();
    error = WriteWholeFile(trialFile(styleFolder), text);
    return error.isEmpty();
}

bool discard(const QString &styleFolder) {
    const QString trial = trialFile(styleFolder);
    return !QFile::exists(trial) || QFile::remove(trial);
}

}  // namespace BoardDataTrial
