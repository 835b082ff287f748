#include "app/frmHelp.h"

#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/Utilities.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kContents = QStringLiteral("index.html");
}

frmHelp *frmHelp::showContents(QWidget *parent) {
    const QString folder = Program::path(QStringLiteral("help"));
    if (!QFileInfo::exists(folder + '/' + kContents)) {
        Dialogs::message(QStringLiteral("The help pages were not found in ") + folder);
        return nullptr;
    }
    auto *window = new frmHelp(folder, parent);
    window->show();
    return window;
}

frmHelp::frmHelp(const QString &folder, QWidget *parent) : QWidget(parent, Qt::Window), folder_(folder) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Korvex Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setWindowIcon(parent->windowIcon());

    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setSearchPaths({folder});
    // Pages of the folder open here; every other address goes to the desktop's browser.
    txtHelp->setOpenLinks(false);
    connect(txtHelp, &QTextBrowser::anchorClicked, this, &frmHelp::linkClicked);
    connect(txtHelp, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(txtHelp->documentTitle()); });

    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    cmdBack = button("cmdBack", QStringLiteral("Back"));
    cmdForward = button("cmdForward", QStringLiteral("Forward"));
    cmdContents = button("cmdContents", QStringLiteral("Contents"));
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdBack, &QPushButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtHelp, &QTextBrowser::forward);
    connect(cmdContents, &QPushButton::clicked, this, &frmHelp::cmdContents_Click);
    connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);

    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addWidget(cmdContents);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(txtHelp);
    resize(720, 620);
    cmdContents_Click();
}

void frmHelp::cmdContents_Click() {
    txtHelp->setSource(QUrl::fromLocalFile(folder_ + '/' + kContents));
}

void frmHelp::linkClicked(const QUrl &url) {
    if (url.isRelative() || url.isLocalFile()) {
        const QUrl target = txtHelp->source().resolved(url);
        // A page missing from the folder would show as an empty page: say which one.
        if (!QFileInfo::exists(target.toLocalFile())) {
            Dialogs::message(QStringLiteral("The help page was not found: ") + target.toLocalFile());
            return;
        }
        txtHelp->setSource(target);
        return;
    }
    OpenOrSay(url.toString());
}
