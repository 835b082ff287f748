#include "mainform/MainformConnectionHost.h"

#include "mainform/Mainform.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

Preferences &MainformConnectionHost::prefs() { return w_.prefs; }
StateFlags &MainformConnectionHost::flags() { return w_.flags; }
SettingsStore &MainformConnectionHost::store() { return w_.store; }
ServerConnection &MainformConnectionHost::server() { return w_.server; }
void MainformConnectionHost::startConnectWatchdog() { w_.Timer2->start(); }
void MainformConnectionHost::hideStartPage() { w_.WebBrowser1->hide(); }
void MainformConnectionHost::hideAd() { w_.picAd->hide(); }
void MainformConnectionHost::showAccountWindow() { w_.showAccountWindow(); }
void MainformConnectionHost::showLoginWindow() { w_.loadLoginWindow()->show(); }
void MainformConnectionHost::loginCancelled() { w_.cmdExit->setText(QStringLiteral("Exit")); }
void MainformConnectionHost::showOnlineLook() { w_.showOnlineLook(); }
void MainformConnectionHost::endPlayback() { w_.endPlayback(); }
void MainformConnectionHost::NeutralizeSettings() { w_.NeutralizeSettings(); }
void MainformConnectionHost::SplitFibString(const QString &text) { w_.SplitFibString(text); }
void MainformConnectionHost::afterTheLastLine(std::function<void()> then) { w_.afterTheLastLine(std::move(then)); }
void MainformConnectionHost::SaveDropped() { w_.records.SaveDropped(); }
void MainformConnectionHost::blankBoard() { w_.board.showEmptyBoard(); }
void MainformConnectionHost::setStatus(const QString &text) { w_.setCaption(w_.lblStatus, text); }
void MainformConnectionHost::blinkStatus() { w_.Timer1->start(); }
