#include "lobby/ChatPanes.h"

#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>

namespace {
constexpr int kLimit = 20000;
constexpr int kMarginPixels = 2;  // thirty twips

}  // namespace

QStringList ChatText::words(const QString &text) {
    return SplitWords(text, QStringLiteral("> \r\n"));
}

QString ChatText::joinedLine(const QString &text) {
    const QStringList w = words(text);
    if (w.size() < 3)
        return {};
    return w.join(' ') + QStringLiteral("\r\n");
}

QString ChatText::wrappedLines(const QString &text, int width, const std::function<int(const QString &)> &measure) {
    QString current;
    QString result;
    int lineWidth = 0;
    for (const QString &word : words(text)) {
        const QString candidate = current + word + ' ';
        if (lineWidth + measure(candidate) < width - kMarginPixels) {
            current = candidate;
        } else {
            result += candidate + QStringLiteral("\r\n");
            current.clear();
            lineWidth = measure(word + ' ');
        }
    }
    result += current + QStringLiteral("\r\n");
    // Blanks only: the blank before the last line end stays.
    qsizetype start = 0;
    while (start < result.size() && result.at(start) == ' ')
        ++start;
    result = result.mid(start);
    return result.size() <= 2 ? QString() : result;
}

// The text box looks along the whole of a run without a blank for a place to break each line
// it lays out; a run of thousands of characters would hold it for seconds. Such a run gets
// an invisible break opportunity every so often, where the box would break it anyway.
QString ChatText::breakable(QString text) {
    constexpr int kLongestRun = 256;
    constexpr QChar kBreak(0x200B);  // zero-width space
    int run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u' ' || c == u'\n' || c == kBreak) {
            run = 0;
        } else if (++run > kLongestRun) {
            text.insert(i, kBreak);
            run = 0;
        }
    }
    return text;
}

QString ChatText::trimmed(const QString &paneText, int limit) {
    const qsizetype length = paneText.size();
    if (length <= limit)
        return paneText;
    return paneText.mid(SettingsText::roundEven(length / 2.0));
}

ChatPanes::ChatPanes(QTextEdit *kibitz, QTextEdit *shouts, QTextEdit *terminal, QCheckBox *holdBox,
                     const Preferences &prefs, Sounds sounds)
    : kibitz_{kibitz, {}}, shouts_{shouts, {}}, terminal_{terminal, {}}, holdBox_(holdBox), prefs_(prefs),
      sounds_(std::move(sounds)) {}

// The width the pane's lines will have. A pane that was never shown has not laid out its
// viewport yet (it reports about a hundred pixels), and a hidden one may since have been
// resized: their frame's inner rectangle, less a scroll bar, is what the lines will get.
int ChatPanes::paneWidth(const QTextEdit *box) {
    if (box->isVisible())
        return box->viewport()->width();
    int width = box->contentsRect().width();
    if (box->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        width -= box->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box);
    return width;
}

// Only as much of a text as the pane can keep is measured.
QString ChatPanes::wrapFor(const QTextEdit *box, const QString &text) const {
    const QFontMetrics metrics(box->font());
    const int width = paneWidth(box);
    return ChatText::wrappedLines(text.size() > kLimit ? text.right(kLimit) : text, width,
                                  [&](const QString &s) { return metrics.horizontalAdvance(s); });
}

bool ChatPanes::talkingWord(const QStringList &w) const {
    return w.size() == 3 && w.at(2).contains(QLatin1String(".wav"));
}

void ChatPanes::show(Pane &pane, const QString &lines) {
    auto cut = [](QTextEdit *box) {
        const QString text = box->toPlainText();
        if (text.size() > kLimit)
            box->setPlainText(ChatText::trimmed(text, kLimit));
    };
    cut(pane.box);
    QTextEdit *mirror = (&pane == &kibitz_ && mirror_ && mirror_->isVisible()) ? mirror_ : nullptr;
    if (mirror)
        cut(mirror);
    if (lines.size() <= 2)
        return;

    // The panes show lines with plain line ends. A pane keeps about its limit of the latest
    // text, so of a longer text only that much, its end, is laid out.
    QString text = lines.size() > kLimit ? lines.right(kLimit) : lines;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text = ChatText::breakable(text);
    if (!holdBox_->isChecked()) {
        for (QTextEdit *box : {pane.box, mirror}) {
            if (!box)
                continue;
            if (!pane.held.isEmpty())
                box->setPlainText(pane.held);
            QTextCursor cursor = box->textCursor();
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(text);
            box->setTextCursor(cursor);
            box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        }
        pane.held.clear();
    } else {
        if (pane.held.isEmpty())
            pane.held = pane.box->toPlainText();
        pane.held += text;
    }
    if (pane.held.size() > kLimit)
        holdBox_->setChecked(false);
}

void ChatPanes::ShowKibitz(const QString &text) {
    const QString line = ChatText::joinedLine(text);
    if (line.isEmpty())
        return;
    const QStringList w = ChatText::words(text);
    if (talkingWord(w)) {
        if (sounds_.talking)
            sounds_.talking(w.at(2));
    } else if (prefs_.prfSKibitz && sounds_.effect) {
        sounds_.effect(QStringLiteral("kibitz"));
    }
    show(kibitz_, line);
}

void ChatPanes::ShowShout(const QString &text) {
    show(shouts_, wrapFor(shouts_.box, text));
    const QStringList w = ChatText::words(text);
    if (w.size() < 3)
        return;
    if (talkingWord(w)) {
        if (sounds_.talking)
            sounds_.talking(w.at(2));
    } else if (prefs_.prfSShout && sounds_.effect) {
        sounds_.effect(text.size() > 45 ? QStringLiteral("shout") : QStringLiteral("shout2"));
    }
}

void ChatPanes::ShowTerminal(const QString &text) {
    show(terminal_, wrapFor(terminal_.box, text));
}
