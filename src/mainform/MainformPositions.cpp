// The main window's side of JF .pos positions and of the server's saved matches: the Game
// menu's Save As JF pos and Load JF.pos file, the saved-games page made ready before the
// login, and Show Saved.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "engine/EngineBackend.h"
#include "mainform/Mainform.h"
#include "play/PipCount.h"
#include "records/JfPos.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kSaveError = QStringLiteral("Save  as JF.Pos Error ");

// A score board label as the number the file stores; nothing when it shows no number.
std::optional<int> labelNumber(const QLabel *label) {
    return SettingsText::isNumeric(label->text()) ? SettingsText::toInt32(label->text()) : std::nullopt;
}

// The file's position, checked, and one Korvex can play against GnuBG: a match it plays.
std::optional<JfPosition> readPosition(const QString &file, QString &why) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        why = in.errorString();
        return std::nullopt;
    }
    std::optional<JfPosition> position = JfPos::read(in.read(JfPos::kLongestFile), &why);
    if (position && (position->matchLength < 1 || position->matchLength > kLongestEngineMatch)) {
        why = position->matchLength < 1
                  ? QStringLiteral("a money game; GnuBG plays matches here")
                  : QStringLiteral("a %1 point match; GnuBG plays matches of up to %2 points")
                        .arg(position->matchLength)
                        .arg(kLongestEngineMatch);
        position.reset();
    }
    return position;
}

}  // namespace

void Mainform::wirePositions() {
    if (QAction *save = findChild<QAction *>(QStringLiteral("mnuSaveJF")))
        connect(save, &QAction::triggered, this, &Mainform::mnuSaveJF_Click);
    if (QAction *load = findChild<QAction *>(QStringLiteral("mnuLoadJFPos")))
        connect(load, &QAction::triggered, this, &Mainform::mnuLoadJFPos_Click);
    if (QAction *saved = findChild<QAction *>(QStringLiteral("mnuSaved")))
        connect(saved, &QAction::triggered, this, &Mainform::mnuSaved_Click);
}

// --- JF .pos --------------------------------------------------------------------------------

void Mainform::mnuSaveJF_Click() {
    const QString folder = prefs.jellypath.isEmpty() ? Program::folder() : prefs.jellypath;
    const QString file = Dialogs::saveFile(QStringLiteral("Save as JF.pos"), folder, QStringLiteral("position"),
                                           QStringLiteral("Pos Files (*.pos)"));
    if (file.isEmpty())
        return;
    prefs.jellypath = QFileInfo(file).absolutePath();
    WriteJFPos(file);
}

void Mainform::WriteJFPos(const QString &file) {
    // A cube not yet turned is a cube of 1.
    if (match.theCubeVal == 0)
        match.theCubeVal = 1;
    JfPosition position;
    position.board = PipCount::of(checkers).gnuBoard;
    position.cube = match.theCubeVal;
    position.owner = match.theCubeVal <= 1 ? JfPosition::Owner::Centred
                     : match.blackOwnsCube ? JfPosition::Owner::User
                                           : JfPosition::Owner::Opponent;
    // One point short of the match, any game but the Crawford game is post-Crawford play.
    position.game = match.isCrawford == 1 ? JfPosition::Game::Crawford : JfPosition::Game::Ordinary;
    const std::optional<int> length = labelNumber(lblMatch), score1 = labelNumber(lblScore1),
                             score2 = labelNumber(lblScore2);
    QString why;
    std::optional<QByteArray> bytes;
    if (!length || !score1 || !score2) {
        why = QStringLiteral("the score board shows no match");
    } else {
        position.matchLength = *length;
        position.userScore = *score1;
        position.opponentScore = *score2;
        bytes = JfPos::write(position, &why);
    }
    // Nothing is created for a position the file cannot hold, and "Done" means written.
    if (bytes)
        why = WriteWholeFile(file, *bytes);
    Dialogs::message(why.isEmpty() ? QStringLiteral("Done") : kSaveError + QStringLiteral("\r\n") + why);
}

void Mainform::mnuLoadJFPos_Click() {
    if (flags.isConnected) {
        Dialogs::message(QStringLiteral("Can't view saved while online"));
        return;
    }
    if (offlineMatchRunning() && !Dialogs::ask(QStringLiteral("Do you want to end this game and load a position?"),
                                               QStringLiteral("Confirming Load JF.pos")))
        return;
    LoadJFPos();
}

void Mainform::LoadJFPos() {
    const QString folder = prefs.jellypath.isEmpty() ? Program::path(QStringLiteral("log")) : prefs.jellypath;
    const QString file = Dialogs::openFile(QStringLiteral("Load a JF.pos file"), folder, QString(),
                                           QStringLiteral("JF.Pos Files (*.pos)"));
    if (file.isEmpty())
        return;
    // The file is read and checked whole before anything of the running game changes.
    QString why;
    const std::optional<JfPosition> position = readPosition(file, why);
    if (!position) {
        Dialogs::message(QStringLiteral("The position in ") + file + QStringLiteral(" cannot be played:\r\n") + why);
        return;
    }
    if (records.isPlaybackFileOpen())
        records.closePlaybackFile();
    startGnuBG();
    // The file says whether the Crawford game has been played, not the match played before
    // it: the first board's score then makes it the Crawford game, or leaves the cube free.
    match.isCrawford = 0;
    matchRules.postCrawford = position->game == JfPosition::Game::PostCrawford;
    setCubeTogglePicture(true);
    boardLineReader.newMatch();
    playPosition(*position);
}

// --- the server's saved matches -----------------------------------------------------------

void Mainform::mnuSaved_Click() {
    if (!server.isConnected())
        return;
    server.send(QStringLiteral("show saved "));
    opTerminal->setChecked(true);
    opTerminal_Click();
}

// --- MainformRecordsHost as the saved-games list reaches the window ----------------------------

QString MainformRecordsHost::programFolder() const { return Program::folder(); }
bool MainformRecordsHost::ask(const QString &text, const QString &title) { return Dialogs::ask(text, title); }

void MainformRecordsHost::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    w_.mnuConnect->setEnabled(!busy && !w_.flags.isConnected);
}
