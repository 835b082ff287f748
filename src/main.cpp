#include "app/InputGuards.h"
#include "mainform/Mainform.h"
#include "mainform/Startup.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    InstallInputGuards();
    QApplication::setApplicationName(QStringLiteral("Korvex"));
    QApplication::setOrganizationName(QStringLiteral("Korvex"));
    // The exit window ends the program once its fade is over.
    QApplication::setQuitOnLastWindowClosed(false);

    std::unique_ptr<Mainform> window(Startup::Main());
    if (!window)
        return 1;
    return app.exec();
}
