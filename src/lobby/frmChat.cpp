#include "lobby/frmChat.h"

#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "lobby/ChatPanes.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kLimit = 20000;
constexpr int kMarginPixels = 2;  // thirty twips

QList<QPointer<frmChat>> &registry() {
    static QList<QPointer<frmChat>> windows;
    return windows;
}

}  // namespace

const QString frmChat::shoutsCaption = QStringLiteral("Shouts..");

frmChat::frmChat(ChatWindowHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), host_(host) {
    setObjectName(QStringLiteral("frmChat"));
    setWindowTitle(QStringLiteral("Chat"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    auto *menuBar = new QMenuBar(this);
    mnuFont = menuBar->addMenu(QStringLiteral("Font"));
    mnuFont->setObjectName(QStringLiteral("mnuFont"));
    mnuBigger = mnuFont->addAction(QStringLiteral("Make Bigger"));
    mnuBigger->setObjectName(QStringLiteral("mnuBigger"));
    mnuSmaller = mnuFont->addAction(QStringLiteral("Make Smaller"));
    mnuSmaller->setObjectName(QStringLiteral("mnuSmaller"));
    connect(mnuBigger, &QAction::triggered, this, &frmChat::mnuBigger_Click);
    connect(mnuSmaller, &QAction::triggered, this, &frmChat::mnuSmaller_Click);

    // The window breaks the lines itself; the box only folds a word wider than itself, or a
    // line the window has since become too narrow for, rather than hide it.
    // Players' text is never markup.
    txtReceive = new QTextEdit(this);
    txtReceive->setObjectName(QStringLiteral("txtReceive"));
    txtReceive->setReadOnly(true);
    txtReceive->setAcceptRichText(false);
    txtReceive->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtChatSend = new QLineEdit(this);
    txtChatSend->setObjectName(QStringLiteral("txtChatSend"));
    connect(txtChatSend, &QLineEdit::returnPressed, this, &frmChat::txtChatSend_KeyPress);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);
    layout->addWidget(txtReceive, 1);
    layout->addWidget(txtChatSend);
    setFocusProxy(txtChatSend);

    registry().append(this);
    applyFontSize(host_.prefs().prfChatFont);
    Form_Load();
}

frmChat::~frmChat() {
    registry().removeAll(QPointer<frmChat>(this));
    registry().removeAll(QPointer<frmChat>());
}

QString frmChat::conversationCaption(const QString &partner) {
    return QStringLiteral("Chat (") + partner + ')';
}

QList<frmChat *> frmChat::openWindows() {
    QList<frmChat *> windows;
    for (const QPointer<frmChat> &w : std::as_const(registry()))
        if (w && !w->closed_)
            windows << w.data();
    return windows;
}

frmChat *frmChat::find(const QString &caption) {
    for (frmChat *w : openWindows())
        if (w->windowTitle() == caption)
            return w;
    return nullptr;
}

void frmChat::closeAll() {
    for (frmChat *w : openWindows())
        w->close();
}

void frmChat::Form_Load() {
    const Preferences &prefs = host_.prefs();
    if (prefs.cHeight >= 1 && prefs.cWidth > 0) {
        // The size the last window had, as far as the screen this one opens on holds it.
        const QScreen *own = screen();
        const QSize stored(prefs.cWidth, prefs.cHeight);
        resize(own ? stored.boundedTo(own->availableGeometry().size()) : stored);
    } else
        resize(420, 300);
}

// The size of the last window closed in its normal state is the size of the next one.
void frmChat::closeEvent(QCloseEvent *event) {
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        Preferences &prefs = host_.prefs();
        prefs.cWidth = width();
        prefs.cHeight = height();
        prefs.chatXloc = x();
        prefs.chatYloc = y();
    }
    closed_ = true;
    event->accept();
}

void frmChat::applyFontSize(int size) {
    for (QWidget *box : std::initializer_list<QWidget *>{txtReceive, txtChatSend}) {
        QFont font = box->font();
        font.setPointSize(size > 0 ? size : 8);
        box->setFont(font);
    }
}

void frmChat::mnuBigger_Click() {
    applyFontSize(10);
    host_.prefs().prfChatFont = 10;
    txtReceive->viewport()->update();
}

void frmChat::mnuSmaller_Click() {
    applyFontSize(8);
    host_.prefs().prfChatFont = 8;
    txtReceive->viewport()->update();
}

QString frmChat::wrappedLines(const QString &text, int width, const std::function<int(const QString &)> &measure) {
    QString current;
    QString result;
    for (const QString &word : ChatText::words(text)) {
        const QString candidate = current + word + ' ';
        if (current.isEmpty() || measure(candidate) < width - kMarginPixels) {
            current = candidate;
        } else {
            result += current + QStringLiteral("\r\n");
            current = word + ' ';
        }
    }
    result += current + QStringLiteral("\r\n");
    return result.size() <= 2 ? QString() : result;
}

// The width the lines get. Before the window is on screen its layout has not run and the
// box's viewport has no size of its own: the box is laid out first, and its frame's inner
// rectangle, less the scroll bar, is what the lines will have.
int frmChat::receiveWidth() const {
    if (txtReceive->isVisible())
        return txtReceive->viewport()->width();
    layout()->activate();
    return txtReceive->contentsRect().width() -
           txtReceive->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, txtReceive);
}

void frmChat::ShowChat(const QString &text) {
    // Other copies of this client announce themselves with this line; it is not conversation.
    if (text.contains(QLatin1String("Korvex client for Windows")))
        return;
    if (isMinimized())
        showNormal();
    // The window keeps about its limit of the latest text, so of a longer one only that much,
    // its end, is measured and laid out.
    const QFontMetrics metrics(txtReceive->font());
    QString lines = wrappedLines(text.size() > kLimit ? text.right(kLimit) : text, receiveWidth(),
                                 [&](const QString &s) { return metrics.horizontalAdvance(s); });

    const QString held = txtReceive->toPlainText();
    if (held.size() > kLimit)
        txtReceive->setPlainText(ChatText::trimmed(held, kLimit));
    // A gagged sender's message arrives empty: nothing to show, nothing to hear.
    if (lines.size() <= 2)
        return;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines = ChatText::breakable(lines);
    QTextCursor cursor = txtReceive->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lines);
    txtReceive->setTextCursor(cursor);
    txtReceive->verticalScrollBar()->setValue(txtReceive->verticalScrollBar()->maximum());

    const Preferences &prefs = host_.prefs();
    if (!prefs.prfDisableSounds && prefs.prfSKibitz)
        host_.playKibitzSound();
}

void frmChat::txtChatSend_KeyPress() {
    const QString text = txtChatSend->text();
    if (text.isEmpty())
        return;
    const Dialogs::Owner boxes(this);  // above this window, which stands above the others
    const QString sorry = QStringLiteral("Could not send message..check your connection and try again");
    if (!host_.socketConnected()) {
        Dialogs::message(sorry);
        return;
    }
    QString command;
    if (windowTitle() == shoutsCaption)
        command = QStringLiteral("shout ") + text;
    else if (!chatWith.isEmpty())
        command = QStringLiteral("tell ") + chatWith + ' ' + text;
    else
        return;
    if (host_.send(command))
        txtChatSend->clear();
    else
        Dialogs::message(sorry);
}
