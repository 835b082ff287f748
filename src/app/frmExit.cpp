#include "app/frmExit.h"

#include "app/OnClick.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "app/WebLinks.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
std::function<void()> &quitHook() {
    static std::function<void()> hook;
    return hook;
}
constexpr double kFadeStep = 12.8;
}  // namespace

frmExit::frmExit(bool isDebugging, QWidget *parent) : QWidget(parent, Qt::Dialog), isDebugging_(isDebugging) {
    setObjectName(QStringLiteral("frmExit"));
    setWindowTitle(QStringLiteral("Korvex Backgammon"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("<h2>Korvex %1</h2><p>Thanks for playing. See you at the board!</p>")
                                 .arg(Program::versionString()),
                             this);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    Label1 = new QLabel(QStringLiteral("Play backgammon online (click here)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QPalette link = Label1->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(link);
    onClick(Label1, [this] { Label1_Click(); });
    layout->addWidget(Label1);
    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    layout->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, &frmExit::Command1_Click);

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &frmExit::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &frmExit::Timer2_Timer);
}

void frmExit::setQuitHook(std::function<void()> hook) {
    quitHook() = std::move(hook);
}

void frmExit::Form_Load() {
    Command1->setText(QStringLiteral("Close"));
    DialogAction(2);
    Timer2->start();
    show();
}

void frmExit::DialogAction(int mode) {
    switch (mode) {
    case 1:
    case 3:
        fadeDirection_ = 1;
        Timer1->start(20);
        if (mode == 3)
            closeMode_ = 2;
        break;
    case 2:
        closeMode_ = 2;
        setWindowOpacity(1.0);
        break;
    default: break;
    }
}

void frmExit::Timer2_Timer() {
    ++ticks_;
    if (isDebugging_ || ticks_ > 3)
        Command1_Click();
}

void frmExit::Command1_Click() {
    close();
}

void frmExit::Label1_Click() {
    OpenOrSay(WebLinks::onlinePage());
}

void frmExit::closeEvent(QCloseEvent *event) {
    if (closeMode_ == 2) {
        event->ignore();
        fadeDirection_ = 2;
        Timer1->start(20);
        return;
    }
    event->accept();
}

void frmExit::Timer1_Timer() {
    if (fadeDirection_ == 1) {
        if (step_ + kFadeStep < 256) {
            step_ = SettingsText::roundEven(step_ + kFadeStep);
            setWindowOpacity(step_ / 255.0);
        } else {
            Timer1->stop();
            setWindowOpacity(1.0);
            step_ = 0;
        }
        return;
    }
    closeMode_ = 0;  // the next close request goes through
    if (step_ + kFadeStep >= 256) {
        Timer1->stop();
        step_ = 0;
        endProgram();
        return;
    }
    step_ = SettingsText::roundEven(step_ + kFadeStep);
    setWindowOpacity((256 - step_) / 255.0);
}

void frmExit::endProgram() {
    if (ended_)
        return;
    ended_ = true;
    Timer2->stop();
    hide();
    if (quitHook())
        quitHook()();
    else
        QApplication::quit();
}
