#include "lobby/ChatInput.h"

QString ChatInput::kibitzCommand(const QString &text, bool whisper) {
    return (whisper ? QStringLiteral("whisper ") : QStringLiteral("k ")) + text;
}

QString ChatInput::typingCommand(const QString &text, bool shouts) {
    return shouts ? QStringLiteral("shout ") + text : text;
}
