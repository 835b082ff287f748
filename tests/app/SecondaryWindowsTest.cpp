// The update check, the help pages, the About window and the exit window's link.
#include "app/Program.h"
#include "app/WebLinks.h"
#include "app/frmAbout.h"
#include "app/frmCheckUpdate.h"
#include "app/frmExit.h"
#include "app/frmHelp.h"
#include "support/HttpStub.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(UpdateWindowTest, ASilentServerGetsTheSorryWhileTheWindowStaysLive) {
    TestEnvironment env;
    HttpStub silent;
    silent.staySilent();
    int ticks = 0;
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, [&] { ++ticks; });
    other.start(100);

    QPointer<frmCheckUpdate> window = new frmCheckUpdate(nullptr, QUrl(silent.url("/checkupdate.txt")));
    window->show();
    EXPECT_EQ(window->lblVersion->text(), "Your version " + Program::versionString());
    QTRY_COMPARE_WITH_TIMEOUT(window->lblStatus->text(), QString("Sorry...could not connect to server"), 6500);
    EXPECT_GE(ticks, 40);  // the event loop ran all along
    QTest::qWait(700);
    EXPECT_EQ(window->lblStatus->text(), "Sorry...could not connect to server");  // no blinking after it
    window->cmdOK_Click();
    QTRY_VERIFY(window.isNull());

    // Closed in the middle of the wait: nothing is left running.
    window = new frmCheckUpdate(nullptr, QUrl(silent.url("/checkupdate.txt")));
    window->show();
    QTest::qWait(300);
    window->cmdOK_Click();
    QTRY_VERIFY(window.isNull());
    QTest::qWait(200);
    EXPECT_EQ(QDir(env.programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST(UpdateWindowTest, TheAnswerIsShownAsPlainTextAndCutWhenLong) {
    TestEnvironment env;
    HttpStub site;
    site.reply(200, "9.9.9\r\n<b>x</b>\r\n");
    QPointer<frmCheckUpdate> window = new frmCheckUpdate(nullptr, QUrl(site.url("/checkupdate.txt")));
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(window->lblStatus->text().startsWith("The latest"), 4000);
    EXPECT_EQ(window->lblStatus->text(), "The latest version is 9.9.9\n<b>x</b>");
    EXPECT_EQ(window->lblStatus->textFormat(), Qt::PlainText);
    delete window;

    site.reply(200, QByteArray(1 << 20, 'x'));
    window = new frmCheckUpdate(nullptr, QUrl(site.url("/checkupdate.txt")));
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(window->lblStatus->text().startsWith("The latest"), 4000);
    EXPECT_LE(window->lblStatus->text().size(), 4096 + 40);
    delete window;
}

TEST(HelpPagesTest, EveryLocalLinkOfThePagesLeadsToAPageOrAnchor) {
    const QString folder = QStringLiteral(KORVEX_DATA_DIR "/help");
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    const QRegularExpression name(QStringLiteral("name=\"([^\"]+)\""));
    QStringList reached{"index.html"}, pages = QDir(folder).entryList({"*.html"});
    for (const QString &page : pages) {
        QFile file(folder + '/' + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.contains("<title>")) << page.toStdString();
        for (auto m = href.globalMatch(text); m.hasNext();) {
            const QString link = m.next().captured(1);
            if (link.contains("://"))
                continue;
            const QString target = link.section('#', 0, 0), anchor = link.section('#', 1);
            QFile linked(folder + '/' + target);
            ASSERT_TRUE(linked.open(QIODevice::ReadOnly)) << page.toStdString() << " -> " << link.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(linked.readAll().contains(("name=\"" + anchor + "\"").toUtf8())) << link.toStdString();
            }
            reached << target;
        }
    }
    for (const QString &page : pages)
        EXPECT_TRUE(reached.contains(page)) << page.toStdString() << " is reached from no page";
}

TEST(HelpPagesTest, TheWindowBrowsesThePagesAndSaysWhenTheyAreMissing) {
    TestEnvironment env;
    EXPECT_EQ(frmHelp::showContents(nullptr), nullptr);
    EXPECT_EQ(env.messages(), QStringList{"The help pages were not found in " + env.programFolder() + "/help"});

    env.copyData();
    QPointer<frmHelp> window = frmHelp::showContents(nullptr);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->txtHelp->source().toString().endsWith("help/index.html"));
    emit window->txtHelp->anchorClicked(QUrl("playing.html"));
    EXPECT_TRUE(window->txtHelp->source().toString().endsWith("help/playing.html"));
    EXPECT_TRUE(window->cmdBack->isEnabled());
    window->cmdBack->click();
    EXPECT_TRUE(window->txtHelp->source().toString().endsWith("help/index.html"));
    emit window->txtHelp->anchorClicked(QUrl("https://korvex.example.org/"));
    EXPECT_EQ(env.opened(), QStringList{"https://korvex.example.org/"});
    delete window;
}

TEST(LinksTest, AboutAndExitLinksOpenTheOnlinePageOrSaySo) {
    TestEnvironment env;
    frmAbout about;
    EXPECT_EQ(about.lblVersion->text(), "Version " + Program::versionString());
    about.lblLink_Click();
    frmExit exit(false);
    exit.Label1_Click();
    EXPECT_EQ(env.opened(), (QStringList{WebLinks::onlinePage(), WebLinks::onlinePage()}));
    EXPECT_TRUE(env.messages().isEmpty());
    env.setOpenSucceeds(false);
    exit.Label1_Click();
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().contains(WebLinks::onlinePage()));
}

}  // namespace
