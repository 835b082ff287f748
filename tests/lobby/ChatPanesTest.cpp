#include "app/Preferences.h"
#include "lobby/ChatPanes.h"
#include "support/QtPrinters.h"

#include <QCheckBox>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

int charWidth(const QString &s) {
    return int(s.size()) * 10;  // every character ten pixels wide
}

TEST(ChatTextTest, KibitzLinesNeedThreeWords) {
    EXPECT_EQ(ChatText::joinedLine("bob kibitzes:  hi"), "bob kibitzes: hi\r\n");
    EXPECT_EQ(ChatText::joinedLine("bob kibitzes: "), "");
    EXPECT_EQ(ChatText::joinedLine(" > \r\n>"), "");
}

TEST(ChatTextTest, WrappingKeepsTheCrossingWordOnItsLine) {
    // Width 100 (less the margin): "aaaa bbbb " is 100 wide and crosses.
    EXPECT_EQ(ChatText::wrappedLines("aaaa bbbb cc", 100, charWidth), "aaaa bbbb \r\ncc \r\n");
    EXPECT_EQ(ChatText::wrappedLines("one   two", 1000, charWidth), "one two \r\n");
    EXPECT_EQ(ChatText::wrappedLines(">  \r\n", 1000, charWidth), "");
    // A break on the last word leaves an empty last line.
    EXPECT_EQ(ChatText::wrappedLines("aaaa bbbb", 100, charWidth), "aaaa bbbb \r\n\r\n");
}

TEST(ChatTextTest, FullPaneKeepsItsSecondHalf) {
    const QString full = QString(20001, 'x');
    EXPECT_EQ(ChatText::trimmed(full).size(), 10001);
    EXPECT_EQ(ChatText::trimmed(QString(20000, 'x')).size(), 20000);
}

class ChatPanesTest : public ::testing::Test {
protected:
    ChatPanesTest() {
        for (QTextEdit *box : {&kibitz, &shouts, &terminal})
            box->resize(600, 200);
        prefs.prfSKibitz = true;
        prefs.prfSShout = true;
    }
    QTextEdit kibitz, shouts, terminal;
    QCheckBox hold;
    Preferences prefs;
    QStringList played;
    ChatPanes panes{&kibitz, &shouts, &terminal, &hold, prefs,
                    ChatPanes::Sounds{[this](const QString &n) { played << "effect:" + n; },
                                      [this](const QString &f) { played << "talking:" + f; }}};
};

TEST_F(ChatPanesTest, EachPaneGetsItsLinesAndSound) {
    panes.ShowKibitz("bob kibitzes:  hi");
    EXPECT_EQ(kibitz.toPlainText(), "bob kibitzes: hi\n");
    panes.ShowKibitz("bob kibitzes:  laugh.wav");
    panes.ShowKibitz("bob kibitzes:  laugh.WAV");
    panes.ShowKibitz("bob kibitzes: ");
    EXPECT_EQ(played, (QStringList{"effect:kibitz", "talking:laugh.wav", "effect:kibitz"}));

    played.clear();
    panes.ShowShout("bob shouts:  " + QString(32, 'a'));  // 45 characters
    panes.ShowShout("bob shouts:  " + QString(33, 'a'));  // 46
    panes.ShowShout("");
    EXPECT_EQ(played, (QStringList{"effect:shout2", "effect:shout"}));
    EXPECT_EQ(shouts.toPlainText().count('\n'), 2);

    panes.ShowTerminal("** bob logs in.");
    EXPECT_EQ(terminal.toPlainText(), "** bob logs in. \n");
}

// Shouts arrive before the shouts pane was ever shown: they are wrapped to the pane's width,
// not to the hundred pixels an unshown box reports.
TEST_F(ChatPanesTest, APaneNeverShownWrapsToItsOwnWidth) {
    ASSERT_FALSE(shouts.isVisible());
    const QString words = QStringList(40, QStringLiteral("word")).join(' ');
    panes.ShowShout("bob shouts:  " + words);
    const QFontMetrics metrics(shouts.font());
    int widest = 0;
    for (const QString &line : shouts.toPlainText().split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    EXPECT_GT(widest, 400);
    EXPECT_LE(widest, 600 + metrics.horizontalAdvance("word "));  // the crossing word stays on its line
}

TEST_F(ChatPanesTest, HeldTextIsShownInOrderOnceTheHoldEnds) {
    panes.ShowTerminal("one");
    hold.setChecked(true);
    panes.ShowTerminal("two");
    panes.ShowTerminal("three");
    EXPECT_EQ(terminal.toPlainText(), "one \n");
    hold.setChecked(false);
    panes.ShowTerminal("four");
    EXPECT_EQ(terminal.toPlainText(), "one \ntwo \nthree \nfour \n");
    // Held text is shown once: every later line follows all that is shown.
    panes.ShowTerminal("five");
    panes.ShowTerminal("six");
    EXPECT_EQ(terminal.toPlainText(), "one \ntwo \nthree \nfour \nfive \nsix \n");
}

TEST_F(ChatPanesTest, HoldEndsByItselfWhenTooMuchIsWaiting) {
    hold.setChecked(true);
    const QString word = QString(50, 'w');
    for (int i = 0; i < 450 && hold.isChecked(); ++i)
        panes.ShowTerminal(word);
    EXPECT_FALSE(hold.isChecked());
    panes.ShowTerminal("last");
    EXPECT_TRUE(terminal.toPlainText().endsWith("last \n"));
    EXPECT_LE(terminal.toPlainText().size(), 30000);
}

}  // namespace
