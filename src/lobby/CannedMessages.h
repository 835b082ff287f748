#pragma once
// The three menus of canned lines the user keeps in kibitz.txt, shouts.txt and server.txt:
// which lines they offer and what choosing one does.
#include <QString>
#include <QStringList>

namespace CannedMessages {
// `text` with every "playername", in any letter case, replaced by `player`. One pass: a
// player whose own name holds the word is not replaced again.
QString ReplacePlayerName(const QString &text, const QString &player);
}  // namespace CannedMessages

class CannedMenu {
public:
    enum class Kind { Kibitz, Shouts, Server };
    explicit CannedMenu(Kind kind);

    Kind kind() const { return kind_; }
    QString fileName() const;     // "kibitz.txt" ...
    QString placeholder() const;  // the entry shown while the file offers no line
    QString editCaption() const;  // the line that opens the file instead of being used
    int capacity() const;         // how many lines of the file are offered

    // Reads the file again. A missing or empty file leaves the placeholder alone, silently;
    // a file that is there but cannot be read keeps the entries as they were and gives
    // the reason.
    QString load(const QString &path);
    // The entries as the menu shows them: the file's first lines, or the placeholder.
    const QStringList &entries() const { return entries_; }

    struct Action {
        enum What { Nothing, OpenFile, Send, FillKibitzBox, FillTypingBox } what = Nothing;
        QString text;
    };
    // What choosing entry `index` does. `online`: connected to the server; `player`: the
    // player "playername" stands for; `tryOut`: kibitz lines go into the box, unsent.
    Action choose(int index, bool online, const QString &player, bool tryOut = false) const;

private:
    Kind kind_;
    QStringList entries_;
    bool fromFile_ = false;
};
