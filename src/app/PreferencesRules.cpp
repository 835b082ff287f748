#include "app/PreferencesRules.h"

#include "app/SettingsText.h"

namespace PreferencesRules {

namespace {
TypedResult refused(const QString &why) {
    TypedResult r;
    r.refusal = why;
    return r;
}
}  // namespace

int animDelayForSlider(int position) {
    const int v = qBound(0, position, 1000);
    // Above the middle the slider is linear; below it slows down ten times as fast.
    return v >= 500 ? 1000 - v : 6000 - 11 * v;
}

TypedResult checkTypedValues(const TypedValues &typed) {
    TypedResult r;
    // Text that is not a number is passed over in the two delay boxes, as it always was.
    if (const auto value = SettingsText::toDouble(typed.animDelay)) {
        if (*value < 0)
            r.clearAnimDelay = true;
        else if (const auto delay = SettingsText::toInt32(typed.animDelay))
            r.animDelay = *delay;
        else
            return refused(QStringLiteral("Animation delay must be a number from 0 to 2147483647"));
    }
    if (const auto pause = SettingsText::toDouble(typed.delay)) {
        if (*pause < 0 || *pause > 5)
            return refused(QStringLiteral("Replay Delay must be a number  from 0 to 5"));
        r.delay = *pause;
    }
    if (const QString host = typed.host.trimmed(); !host.isEmpty()) {
        for (const QChar c : host)
            if (c.isSpace())
                return refused(QStringLiteral("The host name must not contain blanks"));
        r.host = host;
    }
    if (const QString port = typed.port.trimmed(); !port.isEmpty()) {
        bool ok = false;
        const int number = port.toInt(&ok);
        if (!ok || number < 1 || number > 65535)
            return refused(QStringLiteral("Port must be a number from 1 to 65535"));
        r.port = number;
    }
    return r;
}

}  // namespace PreferencesRules
