#include "app/frmPreferences.h"

#include "app/BoardDataTrial.h"
#include "app/Dialogs.h"
#include "app/LuckTalk.h"
#include "app/PreferencesHost.h"
#include "app/PreferencesRules.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

using SettingsText::colorFromStored;
using SettingsText::colorToStored;

namespace {

constexpr QSize kBoardPreview(240, 180);

QLabel *caption(QWidget *parent, const char *name, const QString &text) {
    auto *l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    return l;
}

QLineEdit *box(QWidget *parent, const char *name, int width) {
    auto *b = new QLineEdit(parent);
    b->setObjectName(QLatin1String(name));
    b->setMaximumWidth(width);
    return b;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// Shows `text` in a pick-only list. A stored text the list does not hold (a file since
// removed, a style folder renamed) is put in front rather than replaced by another entry,
// so opening and saving never changes a setting the user did not touch.
void pick(QComboBox *list, const QString &text) {
    if (text.isEmpty()) {
        list->setCurrentIndex(-1);
        return;
    }
    int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        list->insertItem(0, text);
        index = 0;
    }
    list->setCurrentIndex(index);
}

QFont fontOf(const QString &family, double size) {
    QFont font(family);
    if (size > 0)
        font.setPointSizeF(size);
    return font;
}

// A pick-only list: what the user types picks nothing (and plays nothing), whether the list
// is closed or open. The arrow keys and the space bar still move through the list and open it.
class SwallowTyping : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (!text.isEmpty() && text.front().isPrint() && !text.front().isSpace())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

void setColour(QWidget *w, QPalette::ColorRole role, const QColor &colour) {
    QPalette palette = w->palette();
    palette.setColor(role, colour);
    w->setPalette(palette);
}

}  // namespace

// Topmost: the window stays above the main window whatever the user does there.
frmPreferences::frmPreferences(Preferences &prefs, PreferencesHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), playPreview(PlaySoundFile), prefs_(prefs), host_(host),
      openedAnimDelay_(prefs.prfAnimDelay) {
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildFibsTab(), QStringLiteral("FiBs"));
    SSTab1->addTab(buildBoardTab(), QStringLiteral("Board"));
    SSTab1->addTab(buildSoundsTab(), QStringLiteral("Sounds"));
    SSTab1->addTab(buildGnubgTab(), QStringLiteral("GnuBG"));
    SSTab1->addTab(buildFontsTab(), QStringLiteral("  Fonts   "));

    cmdOK = button(this, "cmdOK", QStringLiteral("Save"));
    cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmPreferences::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPreferences::cmdCancel_Click);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    Form_Load();
}

QCheckBox *frmPreferences::check(QWidget *parent, const char *name, const QString &text,
                                 bool Preferences::*setting) {
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(QLatin1String(name));
    checks_.emplace_back(c, setting);
    return c;
}

QComboBox *frmPreferences::pickList(QWidget *parent, const char *name) {
    auto *list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    auto *swallow = new SwallowTyping(list);
    list->installEventFilter(swallow);
    // Open, the list's rows have the keyboard, and would jump to a typed letter.
    list->view()->installEventFilter(swallow);
    return list;
}

QWidget *frmPreferences::buildFibsTab() {
    auto *tab = new QWidget;
    auto *Frame2 = new QGroupBox(tab);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *options = new QVBoxLayout(Frame2);
    options->addWidget(check(Frame2, "prfGagged", QStringLiteral("Make gagged players invisible"), &Preferences::prfGagged));
    options->addWidget(check(Frame2, "prfLoadSaved", QStringLiteral("Load saved games list from fibs.com"),
                             &Preferences::prfLoadSaved));
    options->addWidget(check(Frame2, "prfAskRepbot", QStringLiteral("Auto ask repbot on invite arrival"),
                             &Preferences::prfAskRepbot));
    options->addWidget(check(Frame2, "prfDisconnect", QStringLiteral("Disable disconnect button while playing"),
                             &Preferences::prfDisconnect));
    options->addWidget(check(Frame2, "prfToggleReady", QStringLiteral("Toggle ready (off) at end of match"),
                             &Preferences::prfToggleReady));
    options->addWidget(check(Frame2, "prfSaveAll", QStringLiteral("Save game logs as JF.mat"), &Preferences::prfSaveAll));
    options->addWidget(check(Frame2, "prfFriendView", QStringLiteral("Auto friends list view on change"),
                             &Preferences::prfFriendView));

    auto *Frame4 = new QGroupBox(QStringLiteral("Connection"), tab);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    auto *connection = new QGridLayout(Frame4);
    prfHost = box(Frame4, "prfHost", 320);
    prfPort = box(Frame4, "prfPort", 80);
    connection->addWidget(caption(Frame4, nullptr, QStringLiteral("Host")), 0, 0);
    connection->addWidget(prfHost, 0, 1);
    connection->addWidget(caption(Frame4, nullptr, QStringLiteral("Port")), 1, 0);
    connection->addWidget(prfPort, 1, 1);

    cmdKibitz = button(tab, "cmdKibitz", QStringLiteral("Edit kibitz.txt"));
    cmdGag = button(tab, "cmdGag", QStringLiteral("Edit gaglist.txt"));
    Command1 = button(tab, "Command1", QStringLiteral("Edit server.txt"));
    connect(cmdKibitz, &QPushButton::clicked, this, &frmPreferences::cmdKibitz_Click);
    connect(cmdGag, &QPushButton::clicked, this, &frmPreferences::cmdGag_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPreferences::Command1_Click);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(Frame2);
    layout->addWidget(Frame4);
    auto *files = new QHBoxLayout;
    files->addWidget(cmdKibitz);
    files->addWidget(cmdGag);
    files->addWidget(Command1);
    layout->addLayout(files);
    layout->addStretch();
    return tab;
}

QWidget *frmPreferences::buildBoardTab() {
    auto *tab = new QWidget;
    comboBoards = pickList(tab, "comboBoards");
    connect(comboBoards, &QComboBox::activated, this, &frmPreferences::comboBoards_Click);
    Image1 = caption(tab, "Image1", QString());
    Image1->setFixedSize(kBoardPreview);
    Image1->setAlignment(Qt::AlignCenter);

    hScroll1 = new QSlider(Qt::Horizontal, tab);
    hScroll1->setObjectName(QStringLiteral("hScroll1"));
    hScroll1->setRange(0, 1000);
    hScroll1->setSingleStep(10);
    hScroll1->setPageStep(100);
    connect(hScroll1, &QSlider::valueChanged, this, &frmPreferences::HScroll1_Change);
    prfAnimDelay = box(tab, "prfAnimDelay", 80);
    prfDelay = box(tab, "prfDelay", 80);

    auto *speed = new QGridLayout;
    speed->addWidget(caption(tab, "Label8", QStringLiteral("Animation Speed")), 0, 0, 1, 3);
    speed->addWidget(caption(tab, "Label7", QStringLiteral("Slower")), 1, 0);
    speed->addWidget(hScroll1, 1, 1);
    speed->addWidget(caption(tab, "Label9", QStringLiteral("Faster")), 1, 2);
    speed->addWidget(prfAnimDelay, 1, 3);
    speed->addWidget(caption(tab, "Label6", QStringLiteral("Pause between roll and move( seconds.)")), 2, 0, 1, 2);
    speed->addWidget(prfDelay, 2, 3);
    speed->addWidget(caption(tab, "Label19", QStringLiteral("Enter a number between 0 and 5")), 3, 0, 1, 4);

    // The board-data editor's boxes, shown by the first click on "Configure Board Data".
    Picture1 = new QWidget(tab);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto *data = new QGridLayout(Picture1);
    const std::array<std::pair<const char *, const char *>, 8> fields{{{"txt_sp_left", "Left"},
                                                                       {"txt_sp_top", "Top"},
                                                                       {"txt_sp_bottom", "Bottom"},
                                                                       {"txt_sp_bar", "Bar"},
                                                                       {"txt_sp_bearOffx", "BearOffx"},
                                                                       {"txt_sp_bearOffy", "BearOffy"},
                                                                       {"txt_sp_chipOffset", "Offset"},
                                                                       {"txt_sp_cubex", "CubeX"}}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        boardData_[i] = box(Picture1, fields[i].first, 60);
        data->addWidget(caption(Picture1, nullptr, QLatin1String(fields[i].second)), int(i / 4) * 2, int(i % 4));
        data->addWidget(boardData_[i], int(i / 4) * 2 + 1, int(i % 4));
    }
    Picture1->hide();
    Label38 = caption(tab, "Label38",
                      QStringLiteral("Click the configure button to see the changes, click save when you are done"));
    Label38->hide();
    cmdUpdate = button(tab, "cmdUpdate", QStringLiteral("Configure Board Data"));
    connect(cmdUpdate, &QPushButton::clicked, this, &frmPreferences::cmdUpdate_Click);

    auto *layout = new QVBoxLayout(tab);
    auto *style = new QHBoxLayout;
    style->addWidget(comboBoards, 0, Qt::AlignTop);
    style->addWidget(Image1);
    layout->addLayout(style);
    layout->addLayout(speed);
    layout->addWidget(check(tab, "prfAnimateCheckersB", QStringLiteral("Animate Player1 checkers"),
                            &Preferences::prfAnimateCheckersB));
    layout->addWidget(check(tab, "prfAnimateCheckersW", QStringLiteral("Animate Player2 checkers"),
                            &Preferences::prfAnimateCheckersW));
    layout->addWidget(caption(tab, "Label28", QStringLiteral("Custom Board Setup")));
    layout->addWidget(caption(tab, "Label37",
                              QStringLiteral("For advanced users only. If you input wrong data your computer could "
                                             "explode and cause worldwide climate changes")));
    layout->addWidget(cmdUpdate, 0, Qt::AlignLeft);
    layout->addWidget(Label38);
    layout->addWidget(Picture1);
    layout->addStretch();
    return tab;
}

QWidget *frmPreferences::buildSoundsTab() {
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(check(tab, "prfDisableSounds", QStringLiteral("Disable All Sounds"), &Preferences::prfDisableSounds));
    auto *Frame1 = new QGroupBox(QStringLiteral("Sound Effects"), tab);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *effects = new QGridLayout(Frame1);
    const std::array<std::tuple<const char *, const char *, bool Preferences::*>, 13> table{{
        {"prfTalkingWavs", "Talking wavs", &Preferences::prfTalkingWavs},
        {"prfSKibitz", "Kibitz", &Preferences::prfSKibitz},
        {"prfSShout", "Shout", &Preferences::prfSShout},
        {"prfSHit", "Hit", &Preferences::prfSHit},
        {"prfSDouble", "Double", &Preferences::prfSDouble},
        {"prfSMove", "Move", &Preferences::prfSMove},
        {"prfSDropped", "Dropped", &Preferences::prfSDropped},
        {"prfSFriends", "Friends Arrive", &Preferences::prfSFriends},
        {"prfSWelcome", "Welcome", &Preferences::prfSWelcome},
        {"prfSWon", "Won", &Preferences::prfSWon},
        {"prfSLost", "Lost", &Preferences::prfSLost},
        {"prfSDance", "Dance", &Preferences::prfSDance},
        {"prfSRoll", "Roll", &Preferences::prfSRoll},
    }};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto &[name, text, setting] = table[i];
        effects->addWidget(check(Frame1, name, QLatin1String(text), setting), int(i / 2), int(i % 2));
    }
    layout->addWidget(Frame1);
    layout->addStretch();
    return tab;
}

QWidget *frmPreferences::buildGnubgTab() {
    auto *tab = new QWidget;
    auto *Frame6 = new QGroupBox(QStringLiteral("Gnu Ply"), tab);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    Combo1 = pickList(Frame6, "Combo1");
    Combo2 = pickList(Frame6, "Combo2");
    for (QComboBox *plies : {Combo1, Combo2})
        plies->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    auto *ply = new QGridLayout(Frame6);
    ply->addWidget(caption(Frame6, nullptr, QStringLiteral("Play")), 0, 0);
    ply->addWidget(Combo1, 0, 1);
    ply->addWidget(caption(Frame6, nullptr, QStringLiteral("Hints")), 1, 0);
    ply->addWidget(Combo2, 1, 1);

    auto *luck = new QGridLayout;
    const std::array<const char *, 4> columns{"very lucky ", "lucky", "unlucky", "very unlucky"};
    for (int c = 0; c < 4; ++c)
        luck->addWidget(caption(tab, QStringLiteral("Label%1").arg(10 + c).toLatin1().constData(),
                                QLatin1String(columns[std::size_t(c)])),
                        0, c + 1);
    luck->addWidget(caption(tab, "Label14", QStringLiteral("GnuBG")), 1, 0);
    luck->addWidget(caption(tab, "Label15", QStringLiteral("You")), 2, 0);
    const auto &categories = LuckTalk::categories();
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const LuckTalk::Category &category = categories[i];
        QComboBox *list = pickList(tab, category.combo);
        list->setToolTip(QStringLiteral("talking wavs/") + QLatin1String(category.folder));
        connect(list, &QComboBox::activated, this, [this, list, folder = QString::fromLatin1(category.folder)] {
            const QString path = LuckTalk::previewPath(folder, list->currentText());
            if (!path.isEmpty() && playPreview)
                playPreview(path);
        });
        luckLists_[i] = list;
        luck->addWidget(list, category.row + 1, category.column + 1);
    }

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(Frame6);
    layout->addWidget(check(tab, "prfDisableCube", QStringLiteral("Disable Cube"), &Preferences::prfDisableCube));
    layout->addWidget(check(tab, "prfNack", QStringLiteral("Play NackGammon  "), &Preferences::prfNack));
    layout->addWidget(check(tab, "prfChance", QStringLiteral("Show % chance to win "), &Preferences::prfChance));
    layout->addWidget(caption(tab, "Label5",
                              QStringLiteral("Luck factor talking wav folders. Add your own files or remove /add as u "
                                             "wish. Korvex will pick random files from each folder. depending on the "
                                             "luck factor")));
    layout->addLayout(luck);
    layout->addStretch();
    return tab;
}

QWidget *frmPreferences::buildPreviewGroup(int group, const char *frame, const QString &title,
                                           const char *fontButton, const char *backButton) {
    struct Sample {
        const char *option, *optionText, *label, *text;
        QString Preferences::*font;
        double Preferences::*size;
        qint64 Preferences::*color;
        qint64 Preferences::*back;
    };
    using P = Preferences;
    const std::array<Sample, 3> lists{{
        {"opAll", "All", "lblPlayerListAll", "A * alice      1612.34", &P::prfFontListAll, &P::prfFontListAllsize,
         &P::prfColorListAll, &P::prfBackListAll},
        {"opReady", "Ready", "lblPlayerListReady", "R * bob        1588.02", &P::prfFontListReady,
         &P::prfFontListReadysize, &P::prfColorListReady, &P::prfBackListReady},
        {"opFriends", "Friends", "lblPlayerListFriends", "F * carol      1701.90", &P::prfFontListFriends,
         &P::prfFontListFriendssize, &P::prfColorListFriends, &P::prfBackListFriends},
    }};
    const std::array<Sample, 3> panes{{
        {"opKibitz", "Kibitz", "lblKibitz", "You Kibitz: Hello and gl", &P::prfFontOutputKibitz,
         &P::prfFontOutputKibitzsize, &P::prfColorOutputKibitz, &P::prfBackOutputKibitz},
        {"opShouts", "Shouts", "lblShouts", "Hello to all fibsters", &P::prfFontOutputShouts,
         &P::prfFontOutputShoutssize, &P::prfColorOutputShouts, &P::prfBackOutputShouts},
        {"opServer", "Server", "lblServer", "It is your turn to roll", &P::prfFontOutputServer,
         &P::prfFontOutputServersize, &P::prfColorOutputServer, &P::prfBackOutputServer},
    }};

    auto *frameBox = new QGroupBox(title);
    frameBox->setObjectName(QLatin1String(frame));
    auto *layout = new QGridLayout(frameBox);
    int row = 0;
    for (const Sample &s : group == kLists ? lists : panes) {
        auto *option = new QRadioButton(QLatin1String(s.optionText), frameBox);
        option->setObjectName(QLatin1String(s.option));
        auto *sampleBox = new QFrame(frameBox);
        sampleBox->setObjectName(QLatin1String(s.label) + QLatin1Char('2'));
        sampleBox->setAutoFillBackground(true);
        sampleBox->setMinimumSize(260, 44);
        auto *label = new QLabel(QLatin1String(s.text), sampleBox);
        label->setObjectName(QLatin1String(s.label));
        label->setAutoFillBackground(true);
        (new QVBoxLayout(sampleBox))->addWidget(label);
        previews_[std::size_t(group)].push_back({option, sampleBox, label, s.font, s.size, s.color, s.back});
        layout->addWidget(option, row++, 0);
    }
    // The three samples share one place; the chosen option shows its own.
    for (const Preview &p : previews_[std::size_t(group)]) {
        layout->addWidget(p.box, 0, 1, 3, 1);
        connect(p.option, &QRadioButton::toggled, this, [this, group, box = p.box](bool on) {
            if (!on)
                return;
            for (const Preview &other : previews_[std::size_t(group)])
                if (other.box == box)
                    showPreview(group, &other);
        });
    }
    QPushButton *font = button(frameBox, fontButton, QStringLiteral("font"));
    QPushButton *back = button(frameBox, backButton, QStringLiteral("bkground"));
    connect(font, &QPushButton::clicked, this, [this, group] { changeFont(group); });
    connect(back, &QPushButton::clicked, this, [this, group] { changeBack(group); });
    layout->addWidget(font, 3, 0);
    layout->addWidget(back, 3, 1, Qt::AlignLeft);
    previews_[std::size_t(group)].front().option->setChecked(true);
    return frameBox;
}

QWidget *frmPreferences::buildFontsTab() {
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(buildPreviewGroup(kLists, "Frame7", QStringLiteral("Player Lists"), "cmdChangeFont", "cmdChangeBk"));
    layout->addWidget(buildPreviewGroup(kPanes, "Frame8", QStringLiteral("Kibitz-Shouts-Server screens"),
                                        "cmdChangeFont2", "cmdChangeBk2"));
    layout->addStretch();
    return tab;
}

// What the program folder offers is read once: the board styles and the luck-talk files.
void frmPreferences::Form_Load() {
    QStringList styles = QDir(Program::path(QStringLiteral("pics"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    styles.removeAll(QStringLiteral("backgrounds"));  // the full-screen pictures, not a style
    comboBoards->addItems(styles);
    const auto &categories = LuckTalk::categories();
    for (std::size_t i = 0; i < categories.size(); ++i)
        luckLists_[i]->addItems(LuckTalk::files(QLatin1String(categories[i].folder)));
}

// Every opening shows the preferences as they are now. Signals stay blocked meanwhile: the
// slider's handler would otherwise write a delay the user never chose.
void frmPreferences::Form_Activate() {
    const QSignalBlocker blockSlider(hScroll1);
    for (const auto &[control, setting] : checks_)
        control->setChecked(prefs_.*setting);
    prfAnimDelay->setText(QString::number(prefs_.prfAnimDelay));
    prfDelay->setText(SettingsText::fromNumber(prefs_.prfDelay));
    openedAnimDelay_ = prefs_.prfAnimDelay;
    pick(Combo1, QString::number(prefs_.prfGnuPlyEval));
    pick(Combo2, QString::number(prefs_.prfGnuPlyHint));
    if (!prefs_.prfHost.isEmpty())
        prfHost->setText(prefs_.prfHost);
    if (prefs_.prfPort >= 1)
        prfPort->setText(QString::number(prefs_.prfPort));
    {
        const QSignalBlocker blockStyles(comboBoards);
        pick(comboBoards, prefs_.prfBoardStyle);
    }
    const auto &categories = LuckTalk::categories();
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const QSignalBlocker blockList(luckLists_[i]);
        pick(luckLists_[i], prefs_.*(categories[i].setting));
    }
    hScroll1->setValue(prefs_.prfScrollVal);
    for (auto &group : previews_) {
        for (const Preview &p : group) {
            p.label->setFont(fontOf(prefs_.*p.font, prefs_.*p.size));
            setColour(p.label, QPalette::WindowText, colorFromStored(prefs_.*p.color));
            setColour(p.label, QPalette::Window, colorFromStored(prefs_.*p.back));
            setColour(p.box, QPalette::Window, colorFromStored(prefs_.*p.back));
        }
    }
    const std::array<int, 8> data = host_.boardData();
    for (std::size_t i = 0; i < data.size(); ++i)
        boardData_[i]->setText(QString::number(data[i]));
    showBoardPicture(comboBoards->currentText(), false);
}

void frmPreferences::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    // Coming back from another window, or from a colour or font chooser, keeps the edits.
    if (!event->spontaneous())
        Form_Activate();
}

void frmPreferences::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmPreferences::closeEvent(QCloseEvent *event) {
    cancelEdits();
    event->accept();
}

void frmPreferences::HScroll1_Change(int position) {
    const int delay = PreferencesRules::animDelayForSlider(position);
    prfAnimDelay->setText(QString::number(delay));
    prefs_.prfAnimDelay = delay;  // the user sees the new speed at once
}

void frmPreferences::comboBoards_Click() {
    const Dialogs::Owner boxes(this);
    showBoardPicture(comboBoards->currentText(), true);
}

void frmPreferences::showBoardPicture(const QString &style, bool sayWhenMissing) {
    const QString path = Program::path(QStringLiteral("pics/") + style + QStringLiteral("/board.jpg"));
    QPixmap picture;
    if (!Program::isSafeFileName(style) || !picture.load(path)) {
        if (sayWhenMissing)
            Dialogs::message(QStringLiteral("ComboxClick-") + QStringLiteral("Could not read ") + path);
        return;
    }
    Image1->setPixmap(picture.scaled(kBoardPreview, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void frmPreferences::cmdOK_Click() {
    const Dialogs::Owner boxes(this);
    const PreferencesRules::TypedResult typed =
        PreferencesRules::checkTypedValues({prfAnimDelay->text(), prfDelay->text(), prfHost->text(), prfPort->text()});
    if (!typed.refusal.isEmpty()) {
        Dialogs::message(typed.refusal);
        return;
    }
    const QString style = comboBoards->currentText();
    const bool styleChanged = !style.isEmpty() && style != prefs_.prfBoardStyle;
    const QString folder = host_.styleFolder();
    if (styleChanged) {
        // A trial of the style being left has no place in the new one.
        BoardDataTrial::discard(folder);
    } else if (BoardDataTrial::pending(folder)) {
        QString error;
        if (!BoardDataTrial::keep(folder, error)) {
            Dialogs::message(QStringLiteral("The board data could not be saved in ") + BoardDataTrial::dataFile(folder) +
                             QStringLiteral("\r\n") + error);
            return;
        }
        host_.boardDataKept();
    }

    storeControls();
    if (typed.clearAnimDelay)
        prfAnimDelay->clear();
    if (typed.animDelay)
        prefs_.prfAnimDelay = *typed.animDelay;
    if (typed.delay)
        prefs_.prfDelay = *typed.delay;
    if (typed.host)
        prefs_.prfHost = *typed.host;
    if (typed.port)
        prefs_.prfPort = *typed.port;
    openedAnimDelay_ = prefs_.prfAnimDelay;

    host_.applyListAndPaneStyles();
    host_.showWinChances(prefs_.prfChance);
    if (styleChanged) {
        prefs_.prfBoardStyle = style;
        host_.applyBoardStyle();
    }
    if (gagEdited_)
        host_.reloadGagList();
    hide();
}

// The controls that cannot be refused: check boxes, lists, the slider and the samples.
void frmPreferences::storeControls() {
    for (const auto &[control, setting] : checks_)
        prefs_.*setting = control->isChecked();
    if (const auto plies = SettingsText::toInt32(Combo1->currentText()))
        prefs_.prfGnuPlyEval = *plies;
    if (const auto plies = SettingsText::toInt32(Combo2->currentText()))
        prefs_.prfGnuPlyHint = *plies;
    const auto &categories = LuckTalk::categories();
    for (std::size_t i = 0; i < categories.size(); ++i)
        prefs_.*(categories[i].setting) = luckLists_[i]->currentText();
    prefs_.prfScrollVal = hScroll1->value();
    // Only the family, the size and the text colour are kept of a chosen font.
    for (const auto &group : previews_) {
        for (const Preview &p : group) {
            prefs_.*p.font = p.label->font().family();
            prefs_.*p.size = p.label->font().pointSizeF();
            prefs_.*p.color = colorToStored(p.label->palette().color(QPalette::WindowText));
            prefs_.*p.back = colorToStored(p.box->palette().color(QPalette::Window));
        }
    }
}

// Writes the boxes to the style's trial file and shows them on the main board. Every box is
// checked by the rule the coordinate reader applies, so a trial Save keeps is always readable.
void frmPreferences::cmdUpdate_Click() {
    const Dialogs::Owner boxes(this);
    if (Picture1->isHidden()) {
        Picture1->show();
        Label38->show();
    }
    if (host_.matchOnBoard()) {
        Dialogs::message(QStringLiteral("The board data can be tried out when no match is being played or watched"));
        return;
    }
    QStringList values;
    std::array<int, 8> numbers{};
    for (std::size_t i = 0; i < boardData_.size(); ++i) {
        const auto number = SettingsText::toInt16(boardData_[i]->text());
        if (!number) {
            Dialogs::message(QStringLiteral("Entries must be numeric and no blanks"));
            return;
        }
        numbers[i] = *number;
        values << boardData_[i]->text();
    }
    // The reader would refuse such a trial, and Save would make it the style's data.txt.
    if (!host_.boardDataFits(numbers)) {
        Dialogs::message(QStringLiteral("These entries place checkers out of range"));
        return;
    }
    const QString folder = host_.styleFolder();
    QString error;
    if (!BoardDataTrial::write(folder, values, error)) {
        Dialogs::message(QStringLiteral("The board data could not be written to ") + BoardDataTrial::trialFile(folder) +
                         QStringLiteral("\r\n") + error);
        return;
    }
    host_.previewBoardData();
}

void frmPreferences::cmdCancel_Click() {
    cancelEdits();
    hide();
}

void frmPreferences::cancelEdits() {
    prefs_.prfAnimDelay = openedAnimDelay_;
    const QString folder = host_.styleFolder();
    if (QFileInfo::exists(BoardDataTrial::trialFile(folder))) {
        BoardDataTrial::discard(folder);
        host_.rereadBoardData();
    }
}

frmPreferences::Preview *frmPreferences::chosenPreview(int group) {
    for (Preview &p : previews_[std::size_t(group)])
        if (p.option->isChecked())
            return &p;
    return nullptr;
}

void frmPreferences::showPreview(int group, const Preview *shown) {
    for (const Preview &p : previews_[std::size_t(group)])
        p.box->setVisible(&p == shown);
}

void frmPreferences::changeFont(int group) {
    const Dialogs::Owner boxes(this);
    Preview *target = chosenPreview(group);
    const auto chosen = Dialogs::chooseFont(target ? target->label->font() : font());
    if (!chosen || !target)
        return;
    showPreview(group, target);
    target->label->setFont(*chosen);
    // The font chooser has no colour: the text colour is asked for right after it.
    if (const auto colour = Dialogs::chooseColor(target->label->palette().color(QPalette::WindowText)))
        setColour(target->label, QPalette::WindowText, *colour);
}

void frmPreferences::changeBack(int group) {
    const Dialogs::Owner boxes(this);
    Preview *target = chosenPreview(group);
    const auto colour = Dialogs::chooseColor(target ? target->box->palette().color(QPalette::Window) : QColor());
    if (!colour || !target)
        return;
    setColour(target->label, QPalette::Window, *colour);
    setColour(target->box, QPalette::Window, *colour);
}

void frmPreferences::cmdGag_Click() {
    gagEdited_ = true;
    editListFile(QStringLiteral("gaglist.txt"), false);
}

void frmPreferences::cmdKibitz_Click() {
    editListFile(QStringLiteral("kibitz.txt"), false);
}

void frmPreferences::Command1_Click() {
    editListFile(QStringLiteral("server.txt"), true);
}

// An empty list is still a list the user may want to fill, so it opens like any other.
void frmPreferences::editListFile(const QString &name, bool sayWhenMissing) {
    const Dialogs::Owner boxes(this);
    const QString path = Program::path(name);
    if (!QFileInfo::exists(path)) {
        if (sayWhenMissing) {
            Dialogs::message(
                QStringLiteral("Create a server.txt similar to kibitz.txt and shout.txt to use this feature"));
            return;
        }
        QSaveFile empty(path);
        if (!empty.open(QIODevice::WriteOnly) || !empty.commit()) {
            Dialogs::message(QStringLiteral("Could not create ") + path + QStringLiteral("\r\n") + empty.errorString());
            return;
        }
    }
    OpenOrSay(path);
}
