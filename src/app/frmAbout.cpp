#include "app/frmAbout.h"

#include "app/OnClick.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "app/WebLinks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Korvex"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        return l;
    };
    picIcon = label("picIcon", QString());
    if (parent && !parent->windowIcon().isNull()) {
        setWindowIcon(parent->windowIcon());
        picIcon->setPixmap(parent->windowIcon().pixmap(48, 48));
    } else {
        picIcon->hide();
    }
    lblTitle = label("lblTitle", QStringLiteral("Korvex, a backgammon client for FIBS, the First Internet Backgammon Server"));
    QFont title = lblTitle->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.2);
    lblTitle->setFont(title);
    Label1 = label("Label1", QStringLiteral("With an integrated GnuBG engine powered neural net Computer opponent"));
    lblVersion = label("lblVersion", QStringLiteral("Version ") + Program::versionString());
    lblLink = label("lblLink", QStringLiteral("Play backgammon online (click here)"));
    QPalette link = lblLink->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    lblLink->setPalette(link);
    onClick(lblLink, [this] { lblLink_Click(); });
    lblDisclaimer = label("lblDisclaimer",
                          QStringLiteral("Written by the Korvex developers. The computer opponent is GNU Backgammon, "
                                         "free software of the GNU project, called as it is installed."));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addWidget(lblTitle, 1);
    layout->addLayout(top);
    for (QWidget *w : std::initializer_list<QWidget *>{Label1, lblVersion, lblLink, lblDisclaimer})
        layout->addWidget(w);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setMinimumWidth(380);
}

void frmAbout::cmdOK_Click() {
    close();
}

void frmAbout::lblLink_Click() {
    OpenOrSay(WebLinks::onlinePage());
}
