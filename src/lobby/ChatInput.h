#pragma once
// The commands the two typing boxes send.
#include <QString>

namespace ChatInput {
// The kibitz box: "k " or "whisper " and the text.
QString kibitzCommand(const QString &text, bool whisper);
// The typing box: a shout, or the typed text itself as a server command.
QString typingCommand(const QString &text, bool shouts);
}  // namespace ChatInput
