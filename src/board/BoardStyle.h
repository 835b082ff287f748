#pragma once
// Chooses the board style (a folder under pics/) and loads its pictures.
#include <QImage>
#include <QString>
#include <QStringList>

class SettingsStore;

// The pictures of one style. Sprite sheets use exact black as their transparent colour.
struct BoardPictures {
    QImage thepicture;     // board.jpg: the empty board; its size is the board's size
    QImage picCube64;      // cubes.bmp: seven cube faces in a row
    QImage ChipNearBlack;  // checkers.bmp: the black checker above the white one
    QImage picBlackDice;   // dice.bmp: the user's six faces above the opponent's six
    QImage picFlatB;       // wbflat.bmp: the flat tray checkers, black above white
    QImage picTray;        // picTray.jpg, the panel under the board; null when the style has none
};

class BoardStyle {
public:
    // The style chosen when none is stored: the small one for screens under 1024 pixels.
    static QString defaultForScreen(int screenWidthPixels);

    // Chooses the style and loads its pictures. A non-empty `style` becomes
    // `prfBoardStyle`; an empty `prfBoardStyle` is read from the store, defaulting by the
    // screen's width. Pictures are loaded only when `style` names one after that (the
    // start-up passes `prfBoardStyle` itself). A style without a board picture borrows the
    // default style's pictures and keeps its name. Throws std::runtime_error when a
    // picture cannot be loaded; the style in use then stays whole, pictures and name, and
    // `prfBoardStyle` is given back the value it had. Returns whether pictures were loaded.
    bool SetNewBoardStyle(const QString &style, QString &prfBoardStyle, const SettingsStore &store,
                          int screenWidthPixels);

    // Loads the first style that loads whole, "Default" and then the other installed ones,
    // so that the board shows although the style asked for did not load. Nothing names it in
    // the settings, so nothing of it is stored. Returns its name; empty when none loads.
    QString standIn();
    // The folders of pics/ that are styles (all but the full-screen backgrounds).
    static QStringList installed();

    const BoardPictures &pictures() const { return pictures_; }
    // The folder the pictures came from, which is where the coordinate file belongs too.
    const QString &folder() const { return folder_; }
    // The style whose pictures are in use, as prfBoardStyle named it; empty for a stand-in.
    const QString &name() const { return name_; }

private:
    void loadFrom(const QString &folder);

    BoardPictures pictures_;
    QString folder_;
    QString name_;
};
