#include "lobby/CannedMessages.h"

#include <QFile>
#include <QFileInfo>

QString CannedMessages::ReplacePlayerName(const QString &text, const QString &player) {
    return QString(text).replace(QLatin1String("playername"), player, Qt::CaseInsensitive);
}

CannedMenu::CannedMenu(Kind kind) : kind_(kind), entries_{placeholder()} {}

QString CannedMenu::fileName() const {
    switch (kind_) {
    case Kind::Kibitz:
        return QStringLiteral("kibitz.txt");
    case Kind::Shouts:
        return QStringLiteral("shouts.txt");
    case Kind::Server:
        break;
    }
    return QStringLiteral("server.txt");
}

QString CannedMenu::placeholder() const {
    return kind_ == Kind::Server ? QStringLiteral("Usage FIBS Online") : QStringLiteral("Usage (FIBS) online");
}

QString CannedMenu::editCaption() const {
    switch (kind_) {
    case Kind::Kibitz:
        return QStringLiteral("Edit Kibitz.txt");
    case Kind::Shouts:
        return QStringLiteral("Edit Shouts.txt");
    case Kind::Server:
        break;
    }
    return QStringLiteral("Edit server.txt");
}

int CannedMenu::capacity() const {
    switch (kind_) {
    case Kind::Kibitz:
        return 21;
    case Kind::Shouts:
        return 19;
    case Kind::Server:
        break;
    }
    return 10;
}

QString CannedMenu::load(const QString &path) {
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        entries_ = {placeholder()};
        fromFile_ = false;
        return {};
    }
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    QStringList lines;
    while (lines.size() < capacity() && !file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromLatin1(line);
    }
    fromFile_ = !lines.isEmpty();
    entries_ = fromFile_ ? lines : QStringList{placeholder()};
    return {};
}

CannedMenu::Action CannedMenu::choose(int index, bool online, const QString &player, bool tryOut) const {
    if (index < 0 || index >= entries_.size())
        return {};
    // The shouts are for the server's players alone: offline, no entry of them does anything.
    if (kind_ == Kind::Shouts && !online)
        return {};
    // The placeholder stands for a file with nothing to offer: it leads to that file.
    if (!fromFile_)
        return {Action::OpenFile, {}};
    const QString &line = entries_.at(index);
    if (online && line == editCaption())
        return {Action::OpenFile, {}};
    switch (kind_) {
    case Kind::Kibitz:
        if (!online)
            return {Action::OpenFile, {}};
        if (tryOut)
            return {Action::FillKibitzBox, CannedMessages::ReplacePlayerName(line, player)};
        return {Action::Send, QStringLiteral("k ") + CannedMessages::ReplacePlayerName(line, player) + ' '};
    case Kind::Shouts:
        return {Action::FillTypingBox, line};
    case Kind::Server:
        break;
    }
    if (!online)
        return {Action::OpenFile, {}};
    return {Action::FillTypingBox, CannedMessages::ReplacePlayerName(line, player)};
}
