#include "board/BoardStyle.h"

#include "app/Program.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"

#include <QImageReader>
#include <stdexcept>

namespace {

QImage loadPicture(const QString &folder, const QString &file) {
    const QString path = Program::path(folder + '/' + file);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("%1: %2").arg(path, reader.errorString()).toStdString());
    // One pixel format for every board picture keeps the colour key exact and the copies fast.
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QString BoardStyle::defaultForScreen(int screenWidthPixels) {
    return screenWidthPixels < 1024 ? QStringLiteral("original small") : QStringLiteral("Default");
}

bool BoardStyle::SetNewBoardStyle(const QString &style, QString &prfBoardStyle, const SettingsStore &store,
                                  int screenWidthPixels) {
    // `style` may be `prfBoardStyle` itself: decide whether to load before changing it.
    const bool asked = !style.isEmpty();
    const bool isTheSetting = &style == &prfBoardStyle;
    if (asked)
        prfBoardStyle = style;
    if (prfBoardStyle.isEmpty())
        prfBoardStyle = store.read(QStringLiteral("prfBoardStyle"), defaultForScreen(screenWidthPixels));
    if (prfBoardStyle.isEmpty())
        prfBoardStyle = defaultForScreen(screenWidthPixels);
    if (!asked && !isTheSetting)
        return false;

    // A stored name is only ever a folder of pics/, never a way out of it.
    const QString own = QStringLiteral("pics/") + prfBoardStyle;
    const bool hasOwn = Program::isSafeFileName(prfBoardStyle) &&
                        FileExists(Program::path(own + QStringLiteral("/board.jpg")));
    loadFrom(hasOwn ? own : QStringLiteral("pics/default"));
    return true;
}

void BoardStyle::loadFrom(const QString &folder) {
    folder_ = Program::path(folder);
    pictures_.thepicture = loadPicture(folder, QStringLiteral("board.jpg"));
    pictures_.picCube64 = loadPicture(folder, QStringLiteral("cubes.bmp"));
    pictures_.ChipNearBlack = loadPicture(folder, QStringLiteral("checkers.bmp"));
    pictures_.picBlackDice = loadPicture(folder, QStringLiteral("dice.bmp"));
    pictures_.picFlatB = loadPicture(folder, QStringLiteral("wbflat.bmp"));
    const QString tray = Program::path(folder + QStringLiteral("/picTray.jpg"));
    pictures_.picTray = FileExists(tray) ? QImage(tray) : QImage();
}
