// Starts the client against the program folder named on the command line, shows the main
// window and quits as soon as it is on screen: the start-up benchmark times this process.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "mainform/Mainform.h"
#include "mainform/Startup.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc > 2) {
        Program::setFolder(QString::fromLocal8Bit(argv[1]));
        SettingsStore::setFolder(QString::fromLocal8Bit(argv[2]));
    }
    Dialogs::setHandler([](const Dialogs::Request &) { return Dialogs::Reply{}; });
    Mainform *window = Startup::Main();
    if (!window)
        return 1;
    QApplication::processEvents();  // the first paint
    // Shutdown is not part of what is timed: leave at once.
    std::fflush(nullptr);
    std::_Exit(0);
}
