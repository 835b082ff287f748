// Starts the client against the program folder named on the command line, shows the main
// window and quits as soon as it is on screen: the start-up benchmark times this process.
#include "app/Dialogs.h"
#include "app/Mainform.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "app/Startup.h"

#include <QApplication>
#include <QTimer>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc > 2) {
        Program::setFolder(QString::fromLocal8Bit(argv[1]));
        SettingsStore::setFolder(QString::fromLocal8Bit(argv[2]));
    }
    Dialogs::setHandler([](const Dialogs::Request &) { return Dialogs::Reply{}; });
    std::unique_ptr<Mainform> window(Startup::Main());
    if (!window)
        return 1;
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
