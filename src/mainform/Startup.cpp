#include "mainform/Startup.h"

#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/Utilities.h"
#include "engine/EngineFiles.h"
#include "mainform/Mainform.h"

#include <QApplication>

QStringList Startup::engineFileWarnings(const QString &program, const QString &weights) {
    QStringList warnings;
    for (const QString &file : {weights, program})
        if (!FileExists(file))
            warnings << QStringLiteral("The file <%1> is the wrong version").arg(file);
    return warnings;
}

Mainform *Startup::Main() {
    // Before the first window: its input may have to be judged long after it was made.
    InstallInputGuards();
    QApplication::setApplicationName(QStringLiteral("Korvex"));
    QApplication::setOrganizationName(QStringLiteral("Korvex"));
    // The exit window ends the program once its fade is over.
    QApplication::setQuitOnLastWindowClosed(false);

    auto *window = new Mainform;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!window->Form_Load()) {
        delete window;
        return nullptr;
    }
    window->show();
    runEvents();
    for (const QString &warning : engineFileWarnings(EngineFiles::program, EngineFiles::weights))
        Dialogs::message(warning);
    return window;
}
