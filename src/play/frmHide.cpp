#include "play/frmHide.h"

#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "board/BoardShow.h"
#include "play/FullScreenHost.h"
#include "play/FullScreenRules.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Behind the board when there is no background picture: the felt of the boards.
const QColor kNoPicture(16, 38, 26);
// The panels darken the picture under them so that their text stays readable.
const QColor kPanel(0, 0, 0, 150);
const QColor kText(0xF4, 0xEA, 0xD0);

void darken(QWidget *w) {
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, kPanel);
    palette.setColor(QPalette::WindowText, kText);
    w->setPalette(palette);
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, bool bold = false) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);  // names and status come from the server and other players
    if (bold) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
    }
    return l;
}

}  // namespace

frmHide::frmHide(Preferences &prefs, FullScreenHost &host) : QWidget(nullptr, Qt::Window), prefs_(prefs), host_(host) {
    setObjectName(QStringLiteral("frmHide"));
    setWindowTitle(QStringLiteral("Korvex"));
    setMouseTracking(true);

    boardShow = new BoardShow(this);
    boardShow->setObjectName(QStringLiteral("BoardShow"));
    boardShow->setMouseTracking(true);
    boardShow->installEventFilter(this);

    lblStatus = label(this, "lblStatus", QStringLiteral("Move mouse up for menu"));
    darken(lblStatus);

    picContainerScore = new QWidget(this);
    picContainerScore->setObjectName(QStringLiteral("picContainerScore"));
    darken(picContainerScore);
    lblPlayer1 = label(picContainerScore, "lblPlayer1", QStringLiteral("Player1"), true);
    lblPlayer2 = label(picContainerScore, "lblPlayer2", QStringLiteral("Player2"), true);
    lblScore1 = label(picContainerScore, "lblScore1", QString(), true);
    lblScore2 = label(picContainerScore, "lblScore2", QString(), true);
    lblMatch = label(picContainerScore, "lblMatch", QString(), true);
    lblpip1 = label(picContainerScore, "lblpip1", QString());
    lblpip2 = label(picContainerScore, "lblpip2", QString());
    auto *scores = new QGridLayout(picContainerScore);
    scores->addWidget(lblPlayer1, 0, 0);
    scores->addWidget(lblPlayer2, 0, 2);
    scores->addWidget(lblScore1, 1, 0);
    scores->addWidget(lblMatch, 1, 1);
    scores->addWidget(lblScore2, 1, 2);
    scores->addWidget(lblpip1, 2, 0);
    scores->addWidget(lblpip2, 2, 2);

    picContainer = new QWidget(this);
    picContainer->setObjectName(QStringLiteral("picContainer"));
    darken(picContainer);
    txtKibitzoutput = new QTextEdit(picContainer);
    txtKibitzoutput->setObjectName(QStringLiteral("txtKibitzoutput"));
    txtKibitzoutput->setReadOnly(true);
    txtKibitzoutput->setAcceptRichText(false);
    txtkibitz = new QLineEdit(picContainer);
    txtkibitz->setObjectName(QStringLiteral("txtkibitz"));
    connect(txtkibitz, &QLineEdit::returnPressed, this, &frmHide::txtkibitz_KeyPress);
    auto *kibitz = new QVBoxLayout(picContainer);
    kibitz->addWidget(txtKibitzoutput);
    kibitz->addWidget(txtkibitz);

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    connect(File1, &QListWidget::currentRowChanged, this, &frmHide::File1_Click);

    // Esc keeps stopping GnuBG's play for the user while the board has the screen.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { host_.escapePressed(); });
    InputRefusal::letThrough(escape);
}

void frmHide::Form_Load() {
    picContainer->hide();
    folder_ = Program::path(QStringLiteral("pics/backgrounds"));
    const QStringList files = FullScreenRules::backgroundFiles(folder_);
    const FullScreenRules::Background chosen = FullScreenRules::chooseBackground(files, prefs_.prfBackground);
    const QSignalBlocker quiet(File1);
    File1->clear();
    File1->addItems(files);
    if (!chosen.file.isEmpty() && setBackground(chosen.file)) {
        prefs_.prfBackground = chosen.setting;
        File1->setCurrentRow(int(files.indexOf(chosen.file)));
    }
    layOut();
}

void frmHide::showOn(QScreen *screen) {
    if (screen)
        setScreen(screen);
    // The whole screen also where no window manager takes the full-screen request.
    if (const QScreen *target = this->screen())
        setGeometry(target->geometry());
    layOut();
    showFullScreen();
}

QList<QRect> frmHide::panelAreas() const {
    QList<QRect> areas;
    for (const QRect &panel : FullScreenRules::layOut(size(), boardShow->size()).panels())
        areas << panel.translated(geometry().topLeft());
    return areas;
}

bool frmHide::setBackground(const QString &file) {
    QPixmap picture;
    if (!Program::isSafeFileName(file) || !picture.load(folder_ + '/' + file))
        return false;
    background_ = picture;
    backgroundFile_ = file;
    scaleBackground();
    update();
    return true;
}

// The picture covers the whole screen, cut at the sides that do not fit, and is scaled
// once per size rather than at every repaint.
void frmHide::scaleBackground() {
    if (background_.isNull())
        scaled_ = QPixmap();
    else
        scaled_ = background_.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
}

void frmHide::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (scaled_.isNull()) {
        painter.fillRect(area, kNoPicture);
        return;
    }
    const QPoint origin((width() - scaled_.width()) / 2, (height() - scaled_.height()) / 2);
    painter.drawPixmap(area, scaled_, area.translated(-origin));
}

void frmHide::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    scaleBackground();
    layOut();
}

void frmHide::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    host_.copyCaptions();
    if (!picContainer->isHidden())
        host_.copyKibitzPane();  // what was said while the window was away
    layOut();
}

void frmHide::layOut() {
    const FullScreenRules::Layout l = FullScreenRules::layOut(size(), boardShow->size());
    boardShow->move(l.board.topLeft());
    lblStatus->setGeometry(l.status);
    picContainerScore->setGeometry(l.score);
    picContainer->setGeometry(l.kibitz);
    File1->setGeometry(l.backgrounds);
}

bool frmHide::eventFilter(QObject *watched, QEvent *event) {
    if (watched == boardShow) {
        if (event->type() == QEvent::Resize) {
            layOut();  // another board style
        } else if (event->type() == QEvent::MouseMove) {
            BoardShow_MouseMove();
            return true;  // the window behind the board hears nothing of it
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmHide::mouseMoveEvent(QMouseEvent *event) {
    // The panels keep the screen as it is while the pointer is on them.
    const QWidget *under = childAt(event->position().toPoint());
    for (const QWidget *panel : {picContainer, picContainerScore, static_cast<QWidget *>(File1)})
        if (under && (under == panel || panel->isAncestorOf(under)))
            return;
    Form_MouseMove(event->position().toPoint().y());
}

void frmHide::BoardShow_MouseMove() {
    const FullScreenRules::View view = FullScreenRules::overBoard(lblStatus->text());
    host_.showStrip(view.strip);
    lblStatus->setVisible(view.status.value_or(lblStatus->isVisible()));
    showPanels(view.panels);
}

void frmHide::Form_MouseMove(int y) {
    const FullScreenRules::View view = FullScreenRules::offBoard(y, height(), boardShow->y());
    host_.showStrip(view.strip);
    if (view.status)
        lblStatus->setVisible(*view.status);
    if (view.bottom)
        host_.copyCaptions();
    showPanels(view.panels);
}

void frmHide::showPanels(bool shown) {
    // The kibitz panel hears new lines only while it is shown; it catches up as it appears.
    if (shown && picContainer->isHidden())
        host_.copyKibitzPane();
    for (QWidget *panel : {static_cast<QWidget *>(File1), picContainer, picContainerScore})
        panel->setVisible(shown);
}

void frmHide::File1_Click() {
    const QListWidgetItem *item = File1->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    if (setBackground(name))
        prefs_.prfBackground = name;
    else
        Dialogs::message(QStringLiteral("Could not read ") + folder_ + '/' + name +
                         QStringLiteral("- Tbackgrounds sub folder has been moved to pics"));
}

void frmHide::txtkibitz_KeyPress() {
    // Offline the text stays where it was typed.
    if (!host_.connected())
        return;
    host_.sendKibitz(txtkibitz->text());
    txtkibitz->clear();
}

void frmHide::closeEvent(QCloseEvent *event) {
    event->accept();
    host_.fullScreenClosed();
}
