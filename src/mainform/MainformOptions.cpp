// The main window's side of the preferences, the help pages, the About and update windows
// and the links to the maker's web pages.
#include "app/OnClick.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "app/WebLinks.h"
#include "app/frmAbout.h"
#include "app/frmCheckUpdate.h"
#include "app/frmHelp.h"
#include "app/frmPreferences.h"
#include "mainform/Mainform.h"

#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <functional>

void Mainform::wireOptions() {
    auto entry = [this](const char *name, auto handler) {
        connect(findChild<QAction *>(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    entry("mnuPreference", &Mainform::mnuPreference_Click);
    entry("mnuNotes", &Mainform::mnuNotes_Click);
    entry("mnuChecUpdate", &Mainform::mnuChecUpdate_Click);
    entry("mnuAbout", &Mainform::mnuAbout_Click);
    findChild<QAction *>(QStringLiteral("mnuNotes"))->setShortcut(QKeySequence::HelpContents);
    auto link = [this, &entry](const char *name, QString (*address)()) {
        entry(name, [address] { OpenOrSay(address()); });
    };
    link("mnuLanternhall", &WebLinks::onlinePage);
    link("mnuPoker", &WebLinks::homePage);
    link("mnuGin", &WebLinks::homePage);
    link("mnuBlackjack", &WebLinks::partnerReferral);

    picAd->setPixmap(QPixmap(Program::path(QStringLiteral("pics/picAd.png"))));
    picAd->setToolTip(WebLinks::onlinePage());
    onClick(picAd, [this] { picAd_Click(); });
    Label3->setToolTip(WebLinks::homePage());
    connect(Label3, &QLabel::linkActivated, this, [this] { Label3_Click(8); });
}

void Mainform::mnuPreference_Click() {
    if (!preferencesWindow)
        preferencesWindow = new frmPreferences(prefs, optionsHost, this);
    preferencesWindow->show();
    preferencesWindow->raise();
    preferencesWindow->activateWindow();
}

namespace {
// One window of a kind: a second click brings the open one to the front.
template <typename Window>
void showOne(QWidget *owner, const std::function<Window *()> &make) {
    Window *window = owner->findChild<Window *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = make();
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}
}  // namespace

void Mainform::mnuNotes_Click() {
    showOne<frmHelp>(this, [this] { return frmHelp::showContents(this); });
}

void Mainform::mnuChecUpdate_Click() {
    showOne<frmCheckUpdate>(this, [this] { return new frmCheckUpdate(this); });
}

void Mainform::mnuAbout_Click() {
    showOne<frmAbout>(this, [this] { return new frmAbout(this); });
}

void Mainform::picAd_Click() {
    OpenOrSay(WebLinks::onlinePage());
}

void Mainform::Label3_Click(int index) {
    if (index == 8)
        OpenOrSay(WebLinks::homePage());
}

std::array<int, 8> MainformOptionsHost::boardData() const {
    const BoardGeometry &g = w_.boardGeometry;
    return {g.sp_left, g.sp_top, g.sp_bottom, g.sp_bar, g.sp_bearOffx, g.sp_bearOffy, g.sp_chipOffset, g.sp_cubex};
}

QString MainformOptionsHost::styleFolder() const {
    return w_.boardStyle.folder();
}

void MainformOptionsHost::rereadBoardData() {
    w_.ReadFromDisk(QStringLiteral("data.txt"));
    w_.redrawWithNewCoordinates();
}

// GnuBG's match counts from its first game to its last, between the games too.
bool MainformOptionsHost::matchOnBoard() const {
    const StateFlags &f = w_.flags;
    return f.isPlaying || f.isWatching || (f.isBot && w_.match.isMatch && !w_.match.isMatchOver);
}

bool MainformOptionsHost::boardDataFits(const std::array<int, 8> &values) const {
    BoardGeometry g = w_.boardGeometry;
    int *const fields[] = {&g.sp_left,     &g.sp_top,      &g.sp_bottom,     &g.sp_bar,
                           &g.sp_bearOffx, &g.sp_bearOffy, &g.sp_chipOffset, &g.sp_cubex};
    for (std::size_t i = 0; i < values.size(); ++i)
        *fields[i] = values[i];
    return g.buildPointSlots(SpriteSizes::of(w_.boardStyle.pictures()));
}

void MainformOptionsHost::previewBoardData() {
    w_.previewBoardData();
}

void MainformOptionsHost::boardDataKept() {
    rereadBoardData();
}

void MainformOptionsHost::applyBoardStyle() {
    w_.ApplyBoardStyle(w_.boardStyle.name());
}

void MainformOptionsHost::applyListAndPaneStyles() {
    w_.applyListAndPaneStyles();
}

void MainformOptionsHost::showWinChances(bool shown) {
    // The chances are GnuBG's, for an offline game: online there are none to show.
    const bool visible = shown && !w_.flags.isConnected;
    w_.lblwinsB->setVisible(visible);
    w_.lblwinsW->setVisible(visible);
}

void MainformOptionsHost::reloadGagList() {
    w_.gagList.LoadGagList(Program::path(QStringLiteral("gaglist.txt")));
}
