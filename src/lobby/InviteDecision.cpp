#include "lobby/InviteDecision.h"

#include "app/SettingsText.h"
#include "engine/EngineBackend.h"

bool InviteDecision::isNumeric(const QString &text) {
    return SettingsText::isNumeric(text);
}

InviteDecision InviteDecision::decide(const QString &caption, const QString &lengthBox, const QString &name,
                                      bool online, bool isBot) {
    InviteDecision d;
    d.length = lengthBox.trimmed();
    const bool numeric = isNumeric(d.length);
    if (caption == QLatin1String("Invite")) {
        const int points = numeric ? SettingsText::roundEven(d.length.toDouble()) : 0;
        if (points > 0) {
            if (online) {
                d.kind = Kind::Invite;
                d.commands << QStringLiteral("invite ") + name + ' ' + d.length;
            } else if (isBot) {
                d.kind = points > kLongestEngineMatch ? Kind::OfflineTooLong : Kind::OfflineMatch;
            }
        } else if (d.length == QLatin1String("S") && online) {
            d.kind = Kind::Resume;
            d.commands << QStringLiteral("invite ") + name + ' ';
        } else if (d.length == QLatin1String("U") && online) {
            d.kind = Kind::Unlimited;
            d.commands << QStringLiteral("invite ") + name + QStringLiteral(" unlimited ");
        }
    } else if (caption == QLatin1String("Join") && online) {
        if (d.length == QLatin1String("S")) {
            d.kind = Kind::JoinSaved;
            d.commands << QStringLiteral("join ") + name << QStringLiteral("roll ");
        } else {
            d.kind = Kind::Join;
            d.commands << QStringLiteral("join ") + name + ' ';
        }
    } else if (caption == QLatin1String("Auto Invite")) {
        d.kind = Kind::AutoInvite;
    }
    return d;
}
