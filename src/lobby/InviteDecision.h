#pragma once
// What a click on the invitation window's main button does, from its caption, the length
// box and the connection: the one table the window acts on.
#include <QString>
#include <QStringList>

struct InviteDecision {
    // OfflineTooLong: a match against GnuBG longer than the engine plays.
    enum class Kind { Nothing, Invite, OfflineMatch, OfflineTooLong, Resume, Unlimited, JoinSaved, Join, AutoInvite };
    Kind kind = Kind::Nothing;
    QStringList commands;  // sent in this order
    QString length;        // the trimmed length box

    // caption: "Invite", "Auto Invite" or "Join"; name exactly as the window shows it.
    static InviteDecision decide(const QString &caption, const QString &lengthBox, const QString &name, bool online,
                                 bool isBot);
    static bool isNumeric(const QString &text);
};
