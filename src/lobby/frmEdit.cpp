#include "lobby/frmEdit.h"

#include "app/Dialogs.h"
#include "app/Program.h"
#include "lobby/FriendsFile.h"
#include "lobby/PlayerRecord.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString kAddPrompt = QStringLiteral("Type the screen name of the friend to add .. ");

QLineEdit *figureBox(QWidget *parent, const char *name) {
    auto *box = new QLineEdit(QStringLiteral("n/a"), parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setEnabled(false);
    return box;
}

}  // namespace

frmEdit::frmEdit(FriendsEditorHost &host, Mode mode, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), host_(host), mode_(mode) {
    setObjectName(QStringLiteral("frmEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setWindowIcon(parent->windowIcon());
    setWindowTitle(mode == Mode::Friends ? QStringLiteral("Friends.dat") : QStringLiteral("Stats.dat"));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setContextMenuPolicy(Qt::PreventContextMenu);
    List1->viewport()->installEventFilter(this);
    txtGames = figureBox(this, "txtGames");
    txtWon = figureBox(this, "txtWon");
    txtRatio = new QLineEdit(QStringLiteral("100 %"), this);
    txtRatio->setObjectName(QStringLiteral("txtRatio"));
    txtRatio->setReadOnly(true);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(List1, 0, 0, 4, 1);
    auto *label3 = new QLabel(QStringLiteral("Points"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    auto *label4 = new QLabel(QStringLiteral("iWon"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    grid->addWidget(label3, 0, 1);
    grid->addWidget(txtGames, 0, 2);
    grid->addWidget(label4, 1, 1);
    grid->addWidget(txtWon, 1, 2);
    grid->addWidget(txtRatio, 2, 1, 1, 2);
    grid->addWidget(cmdClose, 3, 1, 1, 2, Qt::AlignBottom);

    mnupopup = new QMenu(QStringLiteral("Edit"), this);
    mnupopup->setObjectName(QStringLiteral("mnupopup"));
    mnuAdd = mnupopup->addAction(QStringLiteral("Add"));
    mnuAdd->setObjectName(QStringLiteral("mnuAdd"));
    mnuRemove = mnupopup->addAction(QStringLiteral("Remove "));
    mnuRemove->setObjectName(QStringLiteral("mnuRemove"));
    mnuSend = mnupopup->addAction(QStringLiteral("Send message"));
    mnuSend->setObjectName(QStringLiteral("mnuSend"));

    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(List1, &QListWidget::itemClicked, this, &frmEdit::List1_Click);
    // A row chosen, by the mouse or the keyboard; not the current row a list gives itself
    // when it takes the keyboard, which chooses nothing.
    connect(List1, &QListWidget::itemSelectionChanged, this, &frmEdit::List1_Click);
    connect(mnuAdd, &QAction::triggered, this, &frmEdit::mnuAdd_Click);
    connect(mnuRemove, &QAction::triggered, this, &frmEdit::mnuRemove_Click);
    connect(mnuSend, &QAction::triggered, this, &frmEdit::mnuSend_Click);
    Form_Load();
}

void frmEdit::Form_Load() {
    host_.setEditorEntriesEnabled(false);
    mnuRemove->setEnabled(mode_ == Mode::Friends);
    if (mode_ == Mode::Friends)
        LoadFriends();
    else
        LoadStatsList();
}

void frmEdit::closeEvent(QCloseEvent *event) {
    Form_Unload();
    event->accept();
}

void frmEdit::reject() {
    close();  // Esc is the Close button
}

void frmEdit::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    host_.setEditorEntriesEnabled(true);
}

QString frmEdit::friendsPath() const {
    return Program::path(QStringLiteral("friends.dat"));
}

QString frmEdit::chosenName() const {
    const QListWidgetItem *item = List1->currentItem();
    return item && item->isSelected() ? item->text().trimmed() : QString();
}

void frmEdit::LoadFriends() {
    const FriendsFile::Names read = FriendsFile::read(friendsPath());
    List1->clear();
    List1->addItems(read.names);
    if (!read.error.isEmpty())
        Dialogs::message(QStringLiteral("error ") + read.error);
}

void frmEdit::LoadStatsList() {
    List1->clear();
    for (const StatsRecord &record : host_.statsRecords())
        if (!record.name.trimmed().isEmpty())
            List1->addItem(record.name.trimmed());
}

void frmEdit::List1_Click() {
    // With no row chosen (the choice let go, the list read afresh) the boxes show nothing
    // rather than the figures of a row no longer chosen.
    txtGames->clear();
    txtWon->clear();
    txtRatio->clear();
    const QString name = chosenName();
    if (name.isEmpty())
        return;
    const auto &records = host_.statsRecords();
    const auto record =
        std::find_if(records.begin(), records.end(), [&](const StatsRecord &r) { return r.name.trimmed() == name; });
    if (record == records.end())
        return;
    txtGames->setText(QString::number(record->played));
    txtWon->setText(QString::number(record->won));
    if (record->played > 0)
        txtRatio->setText(QString::number(PlayerRecord::wonPercent(record->won, record->played)) +
                          QStringLiteral(" %"));
}

void frmEdit::popAMenu() {
    showMenu(true);
}

void frmEdit::showMenu(bool onName) {
    mnuRemove->setEnabled(onName && mode_ == Mode::Friends);
    mnuSend->setEnabled(onName);
    mnupopup->popup(QCursor::pos());
}

bool frmEdit::eventFilter(QObject *watched, QEvent *event) {
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::RightButton) {
            // Below the names, or on an empty list, a first friend can still be added.
            mnuClick *menus = host_.mnuObject();
            if (!menus || !menus->ProcessMouseDown(*this, List1, press->button(), press->position().toPoint()))
                showMenu(false);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmEdit::friendsChanged() {
    if (mode_ == Mode::Friends)
        LoadFriends();
    host_.friendsChanged();
}

// The editor stands above the other windows: its questions and messages show above it.
void frmEdit::mnuAdd_Click() {
    const Dialogs::Owner boxes(this);
    const QString name =
        Dialogs::input(kAddPrompt, QStringLiteral("Add"), mode_ == Mode::Stats ? chosenName() : QString()).trimmed();
    if (name.isEmpty())
        return;
    if (!Dialogs::ask(FriendsFile::addQuestion(name), QStringLiteral("Add to Buddy List")))
        return;
    const FriendsFile::Names friends = FriendsFile::read(friendsPath());
    if (!friends.error.isEmpty()) {
        Dialogs::message(QStringLiteral("error ") + friends.error);
        return;
    }
    if (friends.names.contains(name)) {
        Dialogs::message(QStringLiteral("That user is already on your friends list"));
        return;
    }
    if (const QString error = FriendsFile::add(friendsPath(), name); !error.isEmpty()) {
        Dialogs::message(QStringLiteral("error ") + error);
        return;
    }
    friendsChanged();
}

void frmEdit::mnuRemove_Click() {
    const Dialogs::Owner boxes(this);
    const QString name = chosenName();
    if (mode_ != Mode::Friends || name.isEmpty())
        return;
    if (!Dialogs::ask(FriendsFile::removeQuestion(name), QStringLiteral("Remove from List")))
        return;
    if (const QString error = FriendsFile::remove(friendsPath(), name); !error.isEmpty()) {
        Dialogs::message(QStringLiteral("error ") + error);
        return;
    }
    friendsChanged();
}

void frmEdit::mnuSend_Click() {
    const Dialogs::Owner boxes(this);
    if (!host_.online()) {
        Dialogs::message(QStringLiteral("You must be online (FIBS)  to use this feature"));
        return;
    }
    const QString name = chosenName();
    if (name.isEmpty())
        return;
    const QString text = Dialogs::input(QStringLiteral("Type the message you wish to send .. "), QStringLiteral("Message"));
    if (!text.isEmpty())
        host_.send(QStringLiteral("message ") + name + u' ' + text + u' ');
}
