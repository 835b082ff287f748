#include "mainform/Mainform.h"
#include "mainform/Startup.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    std::unique_ptr<Mainform> window(Startup::Main());
    if (!window)
        return 1;
    return app.exec();
}
