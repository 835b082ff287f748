#include "lobby/frmInvite.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "engine/EngineBackend.h"
#include "lobby/InviteDecision.h"
#include "lobby/PlayerStats.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QList<QPointer<frmInvite>> &registry() {
    static QList<QPointer<frmInvite>> windows;
    return windows;
}
QPointer<frmInvite> &newest() {
    static QPointer<frmInvite> window;
    return window;
}
int inviteLeft = 0;
int inviteTop = 0;

QLabel *face(QWidget *parent, const char *name, const QColor &colour) {
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFixedSize(16, 16);
    label->setStyleSheet(QStringLiteral("background:%1;border-radius:8px;border:1px solid #333").arg(colour.name()));
    return label;
}

}  // namespace

frmInvite::frmInvite(InviteHost &host, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), host_(host) {
    setObjectName(QStringLiteral("frmInvite"));
    setWindowTitle(QStringLiteral("Invitation"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *grid = new QGridLayout(this);
    lblInvite = new QLabel(QStringLiteral("            "), this);
    lblInvite->setObjectName(QStringLiteral("lblInvite"));
    lblInvite->setTextFormat(Qt::PlainText);
    QFont bold = lblInvite->font();
    bold.setBold(true);
    lblInvite->setFont(bold);
    grid->addWidget(lblInvite, 0, 0, 1, 4);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->addItems({" S", " 1", " 3", " 5", " 7", " 9", "11", "13", "15", "17", "19", "21"});
    Combo1->setEditText(QStringLiteral(" 1"));
    // What the user types is the length: a "2" is not completed to the list's "21".
    Combo1->setCompleter(nullptr);
    grid->addWidget(Combo1, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("point match"), this), 1, 1);

    auto figure = [&](const char *name, const QString &initial, const QString &caption, int row, int column) {
        auto *value = new QLabel(initial, this);
        value->setObjectName(QLatin1String(name));
        value->setTextFormat(Qt::PlainText);
        grid->addWidget(value, row, column);
        grid->addWidget(new QLabel(caption, this), row, column + 1);
        return value;
    };
    lblRating = figure("lblRating", QString(), QStringLiteral("rating"), 2, 0);
    lblExper = figure("lblExper", QString(), QStringLiteral("experience"), 2, 2);
    lblPlayed = figure("lblPlayed", QStringLiteral("0"), QStringLiteral("played (pts)"), 3, 0);
    lblScore = figure("lblScore", QStringLiteral("0"), QStringLiteral("won (%)"), 3, 2);
    lblSaved = figure("lblSaved", QStringLiteral("-"), QStringLiteral("saved"), 4, 0);
    lblSaved->setEnabled(false);
    auto *faces = new QHBoxLayout;
    Image1 = face(this, "Image1", QColor(60, 170, 70));
    Image2 = face(this, "Image2", QColor(230, 200, 40));
    Image3 = face(this, "Image3", QColor(200, 50, 40));
    faces->addWidget(Image1);
    faces->addWidget(Image2);
    faces->addWidget(Image3);
    Image2->hide();
    Image3->hide();
    grid->addLayout(faces, 4, 2);
    lblBot = new QLabel(QStringLiteral("(bot)"), this);
    lblBot->setObjectName(QStringLiteral("lblBot"));
    lblBot->hide();
    grid->addWidget(lblBot, 4, 3);

    txtComment = new QLineEdit(QStringLiteral("player notes "), this);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    grid->addWidget(txtComment, 5, 0, 1, 4);
    chkSelfPlay = new QCheckBox(QStringLiteral("gnubg vs gnubg"), this);
    chkSelfPlay->setObjectName(QStringLiteral("chkSelfPlay"));
    grid->addWidget(chkSelfPlay, 6, 0, 1, 2);

    cmdInvite = new QPushButton(QStringLiteral("Invite"), this);
    cmdInvite->setObjectName(QStringLiteral("cmdInvite"));
    cmdInvite->setAutoDefault(false);
    cmdWatch = new QPushButton(QStringLiteral("Watch"), this);
    cmdWatch->setObjectName(QStringLiteral("cmdWatch"));
    cmdWatch->setAutoDefault(false);
    grid->addWidget(cmdInvite, 7, 0, 1, 2);
    grid->addWidget(cmdWatch, 7, 2, 1, 2);
    cmdInvite->installEventFilter(this);
    cmdWatch->installEventFilter(this);
    connect(cmdInvite, &QPushButton::clicked, this, &frmInvite::cmdInvite_Click);
    connect(cmdWatch, &QPushButton::clicked, this, &frmInvite::cmdWatch_Click);

    registry().append(this);
    newest() = this;
    Form_Load();
}

frmInvite::~frmInvite() {
    registry().removeAll(QPointer<frmInvite>(this));
    registry().removeAll(QPointer<frmInvite>());
}

QList<frmInvite *> frmInvite::openWindows() {
    QList<frmInvite *> windows;
    for (const QPointer<frmInvite> &w : std::as_const(registry()))
        if (w && !w->unloaded_)
            windows << w.data();
    return windows;
}

void frmInvite::closeAll() {
    for (frmInvite *w : openWindows())
        w->Form_Unload();
}

frmInvite *frmInvite::inviteForm() {
    return newest().data();
}

void frmInvite::resetCascade() {
    inviteLeft = 0;
    inviteTop = 0;
}

void frmInvite::Form_Load() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    inviteLeft = qMax(inviteLeft, area.width() / 4);
    inviteTop = qMax(inviteTop, area.height() / 4);
    move(inviteLeft, inviteTop);
    // The next window opens a little further on, so both stay in sight.
    inviteLeft += 40;
    if (inviteLeft > area.width() / 2) {
        inviteLeft = 0;
        inviteTop += 40;
    }
}

void frmInvite::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmInvite::Form_Activate() {
    StateFlags &f = host_.flags();
    if (f.isExitClicked)
        return;
    host_.HideBlueScreen();
    f.selfPlay = false;
    const QString length = Combo1->currentText();
    if (InviteDecision::isNumeric(length) && !length.startsWith(' ') && length.toDouble() < 10)
        Combo1->setEditText(' ' + length);
    if (f.isBot)
        cmdInvite->setDefault(true);
    chkSelfPlay->setEnabled(!f.isConnected);
    if (!host_.lists().savedGames.empty())
        lblSaved->setEnabled(true);
}

bool frmInvite::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto button = static_cast<QMouseEvent *>(event)->button();
        if (watched == cmdInvite)
            cmdInvite_MouseDown(button);
        else if (watched == cmdWatch)
            cmdWatch_MouseDown();
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape &&
        (watched == cmdInvite || watched == cmdWatch)) {
        hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmInvite::cmdInvite_MouseDown(Qt::MouseButton button) {
    isMouseDown_ = true;
    if (button == Qt::RightButton) {
        if (cmdInvite->text() == QLatin1String("Invite"))
            cmdInvite->setText(QStringLiteral("Auto Invite"));
        else if (cmdInvite->text() == QLatin1String("Auto Invite"))
            cmdInvite->setText(QStringLiteral("Invite"));
    }
}

void frmInvite::cmdWatch_MouseDown() {
    isMouseDown_ = true;
}

void frmInvite::keyPressEvent(QKeyEvent *event) {
    if (!host_.flags().isBot && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        return;
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmInvite::cmdInvite_Click() {
    // A match longer than GnuBG plays is refused here, with the window left open for another
    // length, so that the engine is never asked about one.
    StateFlags &f = host_.flags();
    if (InviteDecision::decide(cmdInvite->text(), Combo1->currentText(), lblInvite->text(), host_.online(), f.isBot)
            .kind == InviteDecision::Kind::OfflineTooLong) {
        Dialogs::message(QStringLiteral("GnuBG plays matches of up to %1 points. Please choose a shorter match.")
                             .arg(kLongestEngineMatch));
        return;
    }
    hide();
    runEvents();
    if (f.isBot)
        isMouseDown_ = true;
    if (!isMouseDown_) {
        finishClick();
        return;
    }
    MatchState &m = host_.match();
    const QString name = lblInvite->text();
    const InviteDecision d =
        InviteDecision::decide(cmdInvite->text(), Combo1->currentText(), name, host_.online(), f.isBot);
    for (const QString &command : d.commands)
        host_.send(command);
    const bool numeric = InviteDecision::isNumeric(d.length);
    const int points = numeric ? SettingsText::roundEven(d.length.toDouble()) : 0;

    using Kind = InviteDecision::Kind;
    switch (d.kind) {
    case Kind::Invite:
        f.tokenPlayer = name;
        host_.setReadyPicture(true);
        f.isWatching = false;
        f.isReady = true;
        m.theOldMatchLength = points;
        break;
    case Kind::OfflineMatch:
        m.theMatchLength = points;
        host_.prefs().prfLastMatchLength = points;
        m.theOldMatchLength = points;
        m.isNewMatch = true;
        f.isLogging = false;
        f.selfPlay = chkSelfPlay->isChecked();
        host_.SplitFibString(QStringLiteral("** Player GnuBG has joined you for a ") + d.length +
                             QStringLiteral(" point match."));
        host_.newGnubgGame();
        break;
    case Kind::Resume:
        host_.LoadDropped(name);
        host_.setReadyPicture(true);
        f.tokenPlayer = name;
        break;
    case Kind::Unlimited:
        host_.setReadyPicture(true);
        break;
    case Kind::JoinSaved:
        f.isPlaying = true;
        f.isWatching = false;
        host_.setStatus(QStringLiteral("Click Refresh or Roll if it stalls"));
        f.tokenPlayer = name;
        break;
    case Kind::Join:
        m.isNewMatch = true;
        f.isWatching = false;
        host_.setStatus(QStringLiteral("Invitation accepted"));
        f.tokenPlayer = name;
        if (numeric)
            m.theOldMatchLength = points;
        break;
    case Kind::AutoInvite:
        // "U" and "S" are kept as they are, so the re-invitation asks for the same kind of match.
        host_.lists().autoInviteList.push_back(
            {name.trimmed(), numeric || d.length == QLatin1String("U") || d.length == QLatin1String("S") ? d.length
                                                                                                        : QStringLiteral(" ")});
        host_.setStatus(name + QStringLiteral(" will be auto invited when ready"));
        if (numeric)
            m.theOldMatchLength = points;
        break;
    case Kind::OfflineTooLong:
    case Kind::Nothing:
        break;
    }
    closeAll();
    finishClick();
}

void frmInvite::finishClick() {
    isMouseDown_ = false;
    resetCascade();
    newest().clear();
}

void frmInvite::cmdWatch_Click() {
    if (isMouseDown_) {
        if (cmdWatch->text() == QLatin1String("Watch") && host_.flags().isConnected)
            host_.send(QStringLiteral("watch ") + lblInvite->text());
        if (cmdWatch->text() == QLatin1String("Decline"))
            host_.setStatus(QStringLiteral("You declined the invitation"));
        Form_Unload();
    }
    finishClick();
}

void frmInvite::closeEvent(QCloseEvent *event) {
    Form_Unload();
    event->accept();
}

void frmInvite::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    // The note is kept whatever the length box holds.
    const QString name = lblInvite->text().trimmed();
    const QString length = Combo1->currentText().trimmed();
    auto &records = host_.playerStats().records;
    auto record = std::find_if(records.begin(), records.end(), [&](const StatsRecord &r) { return r.name.trimmed() == name; });
    if (record != records.end()) {
        if (InviteDecision::isNumeric(length))
            record->lastLength = SettingsText::roundEven(length.toDouble());
        record->note = txtComment->text();
    } else if (txtComment->text() != QLatin1String("player notes ") && !name.isEmpty()) {
        records.push_back({name, 0, 0, 1, txtComment->text()});
    }
    hide();
    if (isModal() && result() == 0)
        done(0);
    deleteLater();
}
