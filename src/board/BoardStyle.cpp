#include "board/BoardStyle.h"

#include "app/Program.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"

#include <QDir>
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
    const QString before = prfBoardStyle;
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
    try {
        loadFrom(hasOwn ? own : QStringLiteral("pics/default"));
    } catch (const std::runtime_error &) {
        prfBoardStyle = before;  // a name that failed to load is never kept, nor saved
        throw;
    }
    name_ = prfBoardStyle;
    return true;
}

QString BoardStyle::standIn() {
    QStringList candidates = installed();
    candidates.removeIf(
        [](const QString &name) { return name.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0; });
    candidates.prepend(QStringLiteral("Default"));
    for (const QString &candidate : candidates) {
        try {
            loadFrom(QStringLiteral("pics/") + candidate);
        } catch (const std::runtime_error &) {
            continue;
        }
        name_.clear();
        return candidate;
    }
    return {};
}

QStringList BoardStyle::installed() {
    QStringList styles =
        QDir(Program::path(QStringLiteral("pics"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    styles.removeAll(QStringLiteral("backgrounds"));
    return styles;
}

// Every picture is read before any is used: a style missing one leaves the board as it was.
void BoardStyle::loadFrom(const QString &folder) {
    BoardPictures loaded;
    loaded.thepicture = loadPicture(folder, QStringLiteral("board.jpg"));
    loaded.picCube64 = loadPicture(folder, QStringLiteral("cubes.bmp"));
    loaded.ChipNearBlack = loadPicture(folder, QStringLiteral("checkers.bmp"));
    loaded.picBlackDice = loadPicture(folder, QStringLiteral("dice.bmp"));
    loaded.picFlatB = loadPicture(folder, QStringLiteral("wbflat.bmp"));
    const QString tray = Program::path(folder + QStringLiteral("/picTray.jpg"));
    loaded.picTray = FileExists(tray) ? QImage(tray) : QImage();
    pictures_ = std::move(loaded);
    folder_ = Program::path(folder);
}
