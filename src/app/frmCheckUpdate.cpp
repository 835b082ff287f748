#include "app/frmCheckUpdate.h"

#include "app/OnClick.h"
#include "app/Program.h"
#include "app/UpdateCheck.h"
#include "app/Utilities.h"
#include "app/WebLinks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kBlinkMs = 500;
// The status blinks at least this many times before any answer shows, so the user sees
// that a check took place; after kGiveUpTicks the request is ended.
constexpr int kMinTicks = 4;
constexpr int kGiveUpTicks = 10;
constexpr int kTransferTimeoutMs = 5000;
// An update note is a line or two; more is cut so the window keeps its size.
constexpr int kMaxLines = 5;

const QString kChecking = QStringLiteral("Checking for new version..");
const QString kFailed = QStringLiteral("Sorry...could not connect to server");

QString firstLines(const QString &text) {
    QStringList lines = QString(text).remove('\r').split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    return lines.mid(0, kMaxLines).join('\n');
}
}  // namespace

frmCheckUpdate::frmCheckUpdate(QWidget *parent, const QUrl &source)
    : QWidget(parent, Qt::Window), source_(source.isEmpty() ? QUrl(WebLinks::updateText()) : source) {
    setObjectName(QStringLiteral("frmCheckUpdate"));
    setWindowTitle(QStringLiteral("Korvex (Updates)"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setWindowIcon(parent->windowIcon());

    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setTextFormat(Qt::PlainText);  // the answer comes from the network
        return l;
    };
    lblVersion = label("lblVersion", QString());
    lblStatus = label("lblStatus", kChecking);
    lblStatus->setWordWrap(true);
    lblStatus->setMinimumHeight(lblStatus->fontMetrics().lineSpacing() * (kMaxLines + 1));
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblLink = label("lblLink", QStringLiteral("Korvex home page (click here to visit)"));
    QPalette link = lblLink->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    lblLink->setPalette(link);
    onClick(lblLink, [this] { lblLink_Click(); });
    cmdUpdate = new QPushButton(QStringLiteral("Home Page"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdOK = new QPushButton(QStringLiteral("Close"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdUpdate, &QPushButton::clicked, this, &frmCheckUpdate::cmdUpdate_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmCheckUpdate::cmdOK_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblVersion);
    layout->addWidget(lblStatus);
    layout->addWidget(lblLink);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kBlinkMs);
    connect(Timer1, &QTimer::timeout, this, &frmCheckUpdate::Timer1_Timer);
    check_ = new UpdateCheck(this);
    connect(check_, &UpdateCheck::finished, this, &frmCheckUpdate::answered);
}

// One check for each time the window is opened; coming back to it from another window
// does not ask again.
void frmCheckUpdate::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (started_ || event->spontaneous())
        return;
    started_ = true;
    lblVersion->setText(QStringLiteral("Your version ") + Program::versionString());
    Timer1->start();
    check_->start(source_, kTransferTimeoutMs);
}

void frmCheckUpdate::Timer1_Timer() {
    if (!lblStatus->text().isEmpty())
        remembered_ = lblStatus->text();
    lblStatus->setText(blank_ ? remembered_ : QString());
    blank_ = !blank_;
    ++ticks_;
    if (!verdict_.isEmpty() && ticks_ >= kMinTicks) {
        showVerdict();
    } else if (ticks_ > kGiveUpTicks) {
        // A late answer must not overwrite the verdict: the request ends here.
        check_->abort();
        verdict_ = kFailed;
        showVerdict();
    }
}

void frmCheckUpdate::answered(bool ok, const QString &text) {
    verdict_ = ok ? QStringLiteral("The latest version is ") + firstLines(text) : kFailed;
    if (ticks_ >= kMinTicks)
        showVerdict();
}

void frmCheckUpdate::showVerdict() {
    Timer1->stop();
    lblStatus->setText(verdict_);
}

void frmCheckUpdate::cmdOK_Click() {
    check_->abort();
    close();
}

void frmCheckUpdate::cmdUpdate_Click() {
    OpenOrSay(WebLinks::downloadPage());
}

void frmCheckUpdate::lblLink_Click() {
    OpenOrSay(WebLinks::downloadPage());
}
