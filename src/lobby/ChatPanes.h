#pragma once
// The three text panes of the main window: kibitz, shouts and server text. Each call turns
// one text into pane lines, keeps the pane under its size limit, holds text back while the
// user has auto-scroll disabled, and plays the pane's sound.
#include <QString>
#include <QStringList>
#include <functional>

class QCheckBox;
class QTextEdit;
struct Preferences;

namespace ChatText {
// Words are cut at ">", blanks and line ends; the prompt character never reaches a pane.
QStringList words(const QString &text);
// The words joined by single blanks with CR LF after them; empty below three words.
QString joinedLine(const QString &text);
// The words wrapped to `width` with `measure`, each pane line ending in CR LF.
QString wrappedLines(const QString &text, int width, const std::function<int(const QString &)> &measure);
// A pane over `limit` characters keeps only its second half.
QString trimmed(const QString &paneText, int limit = 20000);
// The text with an invisible break opportunity in every long run without a blank, which a
// text box would otherwise search whole for each line it lays out.
QString breakable(QString text);
}  // namespace ChatText

class ChatPanes {
public:
    struct Sounds {
        std::function<void(const QString &name)> effect;    // wavs/<name>.wav, no waiting
        std::function<void(const QString &file)> talking;  // talking wavs/<file>, waited for
    };
    ChatPanes(QTextEdit *kibitz, QTextEdit *shouts, QTextEdit *terminal, QCheckBox *holdBox,
              const Preferences &prefs, Sounds sounds);

    void ShowKibitz(const QString &text);
    void ShowShout(const QString &text);
    void ShowTerminal(const QString &text);

    // A second box that repeats the kibitz pane (the full-screen board's).
    void setKibitzMirror(QTextEdit *mirror) { mirror_ = mirror; }

private:
    struct Pane {
        QTextEdit *box;
        QString held;
    };
    void show(Pane &pane, const QString &lines);
    static int paneWidth(const QTextEdit *box);
    QString wrapFor(const QTextEdit *box, const QString &text) const;
    bool talkingWord(const QStringList &w) const;

    Pane kibitz_, shouts_, terminal_;
    QCheckBox *holdBox_;
    const Preferences &prefs_;
    Sounds sounds_;
    QTextEdit *mirror_ = nullptr;
};
