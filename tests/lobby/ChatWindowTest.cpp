#include "app/Preferences.h"
#include "lobby/frmChat.h"
#include "support/QtPrinters.h"

#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

struct FakeChatHost : ChatWindowHost {
    Preferences p;
    int sounds = 0;
    Preferences &prefs() override { return p; }
    bool socketConnected() const override { return true; }
    bool send(const QString &) override { return true; }
    void playKibitzSound() override { ++sounds; }
};

// What other players write is plain text, wrapped to the box as it will be on screen; a
// gagged sender's empty message is neither shown nor heard.
TEST(ChatWindowTest, MessagesArePlainWrappedToTheBoxAndAGaggedOneIsSilent) {
    FakeChatHost host;
    host.p.prfSKibitz = true;
    host.p.cWidth = 640;
    host.p.cHeight = 300;
    frmChat bob(host);
    bob.ShowChat("bob:  <b>hi</b> &amp;");  // ">" separates words, as the prompt does
    EXPECT_EQ(bob.txtReceive->toPlainText(), "bob: <b hi</b &amp; \n");
    EXPECT_EQ(host.sounds, 1);

    bob.ShowChat("");
    bob.ShowChat("bob: Korvex client for Windows 4.0");
    EXPECT_EQ(host.sounds, 1);
    EXPECT_EQ(bob.txtReceive->toPlainText().count('\n'), 1);

    // Never shown yet: the lines get the box's width, not the hundred pixels an unshown
    // box reports, and none runs past it (less its frame and scroll bar).
    bob.ShowChat("bob: " + QStringList(60, QStringLiteral("word")).join(' '));
    const QFontMetrics metrics(bob.txtReceive->font());
    int widest = 0;
    for (const QString &line : bob.txtReceive->toPlainText().split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    EXPECT_GT(widest, 450);
    EXPECT_LE(widest, 640 - 20);
}

}  // namespace
