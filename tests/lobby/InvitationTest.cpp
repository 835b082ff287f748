#include "app/Dialogs.h"
#include "app/SplitString.h"
#include "lobby/frmInvite.h"
#include "lobby/InviteDecision.h"
#include "lobby/PlayerRecord.h"
#include "mainform/Mainform.h"
#include "support/TestEnvironment.h"
#include "support/WindowManagerSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Kind = InviteDecision::Kind;

TEST(InviteDecisionTest, CaptionLengthAndConnectionChooseOneAction) {
    struct Case {
        const char *caption, *length;
        bool online, bot;
        Kind kind;
        QStringList commands;
    } cases[] = {
        {"Invite", " 7", true, false, Kind::Invite, {"invite bob 7"}},
        {"Invite", " 7", false, false, Kind::Nothing, {}},
        {"Invite", " 3", false, true, Kind::OfflineMatch, {}},
        {"Invite", "64", false, true, Kind::OfflineMatch, {}},
        {"Invite", "65", false, true, Kind::OfflineTooLong, {}},
        {"Invite", "65", true, true, Kind::Invite, {"invite bob 65"}},
        {"Invite", " 0", true, false, Kind::Nothing, {}},
        {"Invite", "abc", true, false, Kind::Nothing, {}},
        {"Invite", " S", true, false, Kind::Resume, {"invite bob "}},
        {"Invite", "U", true, false, Kind::Unlimited, {"invite bob unlimited "}},
        {"Invite", "U", false, false, Kind::Nothing, {}},
        {"Join", "S", true, false, Kind::JoinSaved, {"join bob", "roll "}},
        {"Join", " 5", true, false, Kind::Join, {"join bob "}},
        {"Join", " 5", false, false, Kind::Nothing, {}},
        {"Auto Invite", " 5", false, false, Kind::AutoInvite, {}},
    };
    for (const Case &c : cases) {
        const InviteDecision d = InviteDecision::decide(c.caption, c.length, "bob", c.online, c.bot);
        EXPECT_EQ(int(d.kind), int(c.kind)) << c.caption << " / " << c.length;
        EXPECT_EQ(d.commands, c.commands) << c.caption << " / " << c.length;
    }
}

TEST(PlayerRecordTest, MarksAndPercentages) {
    EXPECT_EQ(PlayerRecord::wonPercent(2, 3), 67);
    EXPECT_EQ(PlayerRecord::wonPercent(1, 8), 12);  // 12.5 goes to the even neighbour
    EXPECT_EQ(PlayerRecord::wonPercent(0, 0), 0);
    EXPECT_EQ(PlayerRecord::savedMark(10), 1);
    EXPECT_EQ(PlayerRecord::savedMark(11), 2);
    EXPECT_EQ(PlayerRecord::savedMark(21), 3);
    QString rating, experience;
    EXPECT_TRUE(PlayerRecord::fromRow("R* bob           1523.45 812 ", "bob", rating, experience));
    EXPECT_EQ(rating, "1523.45");
    EXPECT_EQ(experience, "812");
    EXPECT_FALSE(PlayerRecord::fromRow("R* bobby 1500 10 ", "bob", rating, experience));
}

class InvitationWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<Mainform>();
        window->prefs.prfDisableSounds = true;
    }
    void TearDown() override { frmInvite::closeAll(); }

    // Hands a server line to the window's handler of that message, cut into words as the
    // line filter hands it on.
    using Handler = void (Mainform::*)(const QString &, const QStringList &);
    void hand(Handler handler, const QString &line) { (window.get()->*handler)(line, SplitWords(line, " :,>")); }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(InvitationWindowTest, DoubleClickOpensTheWindowWithWhatIsKnown) {
    window->playerStats.records.push_back({"bob", 3, 2, 5, "slow roller"});
    window->List1->addItem("P  bob           1523.45 812 ");
    window->ProcessDblClick(window->List1->item(0)->text());
    frmInvite *invite = frmInvite::inviteForm();
    ASSERT_TRUE(invite);
    EXPECT_EQ(invite->windowTitle(), "Invitation bob");
    EXPECT_EQ(invite->cmdInvite->text(), "Auto Invite");  // he is playing
    EXPECT_EQ(invite->lblRating->text(), "1523.45");
    EXPECT_EQ(invite->lblExper->text(), "812");
    EXPECT_EQ(invite->lblPlayed->text(), "3");
    EXPECT_EQ(invite->lblScore->text(), "67");
    EXPECT_EQ(invite->txtComment->text(), "slow roller");
    EXPECT_EQ(invite->Combo1->currentText().trimmed(), "5");

    // A second double-click leaves only the new window open.
    window->ProcessDblClick("R* carl 1600.10 90 ");
    ASSERT_EQ(frmInvite::openWindows().size(), 1);
    EXPECT_EQ(frmInvite::openWindows().first()->windowTitle(), "Invitation carl");
}

TEST_F(InvitationWindowTest, RightClickMakesAnAutoInviteThatKeepsTheKindOfMatch) {
    window->ProcessDblClick("R* bob 1523.45 812 ");
    frmInvite *invite = frmInvite::inviteForm();
    invite->Combo1->setEditText("U");
    QTest::mouseClick(invite->cmdInvite, Qt::RightButton);
    EXPECT_EQ(invite->cmdInvite->text(), "Auto Invite");
    QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
    ASSERT_EQ(window->lists.autoInviteList.size(), 1u);
    EXPECT_EQ(window->lists.autoInviteList[0].name, "bob");
    EXPECT_EQ(window->lists.autoInviteList[0].points, "U");
    EXPECT_TRUE(frmInvite::openWindows().isEmpty());
}

// What the user types is the length: a typed "2" is two points, not the list's "21".
TEST_F(InvitationWindowTest, TheLengthTypedIsTheLength) {
    window->ProcessDblClick("R* bob 1523.45 812 ");
    frmInvite *invite = frmInvite::inviteForm();
    invite->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(invite));
    QLineEdit *length = invite->Combo1->lineEdit();
    QTest::mouseClick(length, Qt::LeftButton);
    QTest::keyClick(length, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(length, "2");
    EXPECT_EQ(invite->Combo1->currentText(), "2");
    QTest::mouseClick(invite->cmdInvite, Qt::RightButton);
    QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
    ASSERT_EQ(window->lists.autoInviteList.size(), 1u);
    EXPECT_EQ(window->lists.autoInviteList[0].points, "2");
    EXPECT_EQ(window->match.theOldMatchLength, 2);
}

TEST_F(InvitationWindowTest, ClosingKeepsTheNoteWhateverTheLength) {
    window->playerStats.records.push_back({"bob", 3, 2, 5, "old note"});
    window->ProcessDblClick("R* bob 1523.45 812 ");
    frmInvite *invite = frmInvite::inviteForm();
    invite->Combo1->setEditText("S");
    invite->txtComment->setText("doubles early");
    invite->Form_Unload();
    EXPECT_EQ(window->playerStats.records[0].note, "doubles early");
    EXPECT_EQ(window->playerStats.records[0].lastLength, 5);

    // A stranger gets a record only when the user wrote something.
    window->ProcessDblClick("R* carl 1600.10 90 ");
    frmInvite::inviteForm()->Form_Unload();
    EXPECT_EQ(window->playerStats.records.size(), 1u);
    window->ProcessDblClick("R* dave 1600.10 90 ");
    frmInvite::inviteForm()->txtComment->setText("friendly");
    frmInvite::inviteForm()->Form_Unload();
    ASSERT_EQ(window->playerStats.records.size(), 2u);
    EXPECT_EQ(window->playerStats.records[1].lastLength, 1);
}

TEST_F(InvitationWindowTest, ServerInvitationsOpenJoinWindowsAndWarningsMarkThem) {
    // A gagged player's invitations open nothing.
    env.writeFile("gaglist.txt", "Pest\r\n");
    window->gagList.LoadGagList(env.programFolder() + "/gaglist.txt");
    hand(&Mainform::invitationToPlay, "pest wants to play a 5 point match with you.");
    hand(&Mainform::invitationToResume, "pest wants to resume a saved match with you.");
    EXPECT_TRUE(frmInvite::openWindows().isEmpty());

    hand(&Mainform::invitationToPlay, "bob wants to play a 5 point match with you.");
    hand(&Mainform::invitationToPlay, "carl wants to play an unlimited match with you.");
    ASSERT_EQ(frmInvite::openWindows().size(), 2);
    frmInvite *first = frmInvite::openWindows().at(0);
    EXPECT_EQ(first->cmdInvite->text(), "Join");
    EXPECT_EQ(first->cmdWatch->text(), "Decline");
    EXPECT_EQ(first->lblInvite->text(), " bob");
    EXPECT_EQ(first->Combo1->currentText().trimmed(), "5");
    EXPECT_EQ(frmInvite::openWindows().at(1)->Combo1->currentText().trimmed(), "S");

    hand(&Mainform::resumeOnlyWarning, "WARNING: Don't accept if you want to continue your saved match!");
    EXPECT_EQ(first->windowTitle(), "Warning !! Resume Only");
    EXPECT_EQ(first->Combo1->currentText(), "S");
    // A second warning is for the next invitation, not the one marked already.
    hand(&Mainform::resumeOnlyWarning, "WARNING: Don't accept if you want to continue your saved match!");
    EXPECT_EQ(frmInvite::openWindows().at(1)->windowTitle(), "Warning !! Resume Only");
    EXPECT_EQ(frmInvite::openWindows().at(1)->cmdInvite->text(), "Invite");

    // Every invitation window closes, the retitled one too.
    frmInvite::closeAll();
    EXPECT_TRUE(frmInvite::openWindows().isEmpty());
}

TEST_F(InvitationWindowTest, RatingLineFillsTheWindowOfTheLastInformation) {
    window->ProcessDblClick("R* bob 1523.45 812 ");
    hand(&Mainform::playerInformation, "Information about bob:");
    hand(&Mainform::playerRating, "  Rating: 1701.22 Experience: 5000");
    EXPECT_EQ(frmInvite::inviteForm()->lblRating->text(), "1701.22");
    EXPECT_EQ(frmInvite::inviteForm()->lblExper->text(), "5000");
}

TEST_F(InvitationWindowTest, WatchersAreCountedUnlessGagged) {
    hand(&Mainform::watcherOfUser, "carl starts watching you.");
    hand(&Mainform::watcherOfUser, "dave is watching you.");
    hand(&Mainform::watcherOfUser, "carl stops watching you.");
    EXPECT_EQ(window->match.numWatchers1, 1);
    // Watchers who came before the count began leave no count below nothing.
    hand(&Mainform::watcherOfUser, "dave stops watching you.");
    hand(&Mainform::watcherOfUser, "erin stops watching you.");
    EXPECT_EQ(window->match.numWatchers1, 0);
    hand(&Mainform::userStartsWatching, "You're now watching bob.");
    EXPECT_TRUE(window->flags.isWatching);

    // A gagged watcher is neither counted nor shown.
    env.writeFile("gaglist.txt", "Pest\r\n");
    window->gagList.LoadGagList(env.programFolder() + "/gaglist.txt");
    const QString kibitzBefore = window->txtKibitzoutput->toPlainText();
    EXPECT_TRUE(kibitzBefore.contains("carl starts watching you."));
    hand(&Mainform::watcherOfUser, "pest starts watching you.");
    EXPECT_EQ(window->match.numWatchers1, 0);
    EXPECT_EQ(window->txtKibitzoutput->toPlainText(), kibitzBefore);
}

// The modal invitation of an offline match is topmost; the refusal of a match too long for
// GnuBG must show above it, not hidden behind it with the whole program waiting for it.
TEST(InvitationStackingTest, ARefusalShowsAboveTheOfflineInvitation) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TestEnvironment env;
    Dialogs::setHandler({});  // a real box, which the window manager stacks
    Mainform window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bool refusalAbove = false;
    QString refusal;
    WindowManagerSession::whenShown([] { return frmInvite::openWindows().value(0); }, [&](QWidget *shown) {
        auto *invite = static_cast<frmInvite *>(shown);
        WindowManagerSession::whenShown(QApplication::activeModalWidget, [&, invite](QWidget *box) {
            refusal = static_cast<QMessageBox *>(box)->text();
            refusalAbove = WindowManagerSession::isAbove(box, invite);
            box->close();
        });
        invite->Combo1->setEditText("65");
        QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
        invite->close();
    });
    window.flags.isBot = true;  // as Game > play offline has it: the window is modal
    window.ProcessDblClick("n/a GnuBG n/a  n/a ");
    EXPECT_TRUE(refusal.startsWith("GnuBG plays matches of up to")) << refusal.toStdString();
    EXPECT_TRUE(refusalAbove);
}

}  // namespace
