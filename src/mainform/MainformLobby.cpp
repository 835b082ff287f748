// The main window's lobby side: opening invitation windows, choosing the player the
// player menu acts on, the player commands, what is known of a player, and the line
// filter's rules about other players.
#include "app/Dialogs.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "app/Utilities.h"
#include "lobby/frmInvite.h"
#include "lobby/InviteDecision.h"
#include "lobby/PlayerList.h"
#include "lobby/PlayerRecord.h"
#include "mainform/Mainform.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

void Mainform::buildLobbyActions() {
    auto on = [this](const char *name, void (Mainform::*handler)()) {
        if (QAction *action = findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    on("mnuInvite", &Mainform::mnuInvite_Click);
    on("mnuJoin", &Mainform::mnuJoin_Click);
    on("mnuLook", &Mainform::mnuLook_Click);
    on("mnuWatch", &Mainform::mnuWatch_Click);
    on("mnuStopWatch", &Mainform::mnuStopWatch_Click);
    on("mnuWatchers", &Mainform::mnuWatchers_Click);
    on("mnuWhois", &Mainform::mnuWhois_Click);
    if (QAction *refresh = findChild<QAction *>(QStringLiteral("mnuListRefresh")))
        connect(refresh, &QAction::triggered, this, [this] {
            if (playerList)
                playerList->mnuListRefresh_Click();
        });
    for (QListWidget *list : {List1, List2, List3, List4}) {
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { SelectListPlayer(item->text()); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem *item) { ProcessDblClick(item->text()); });
    }
}

void Mainform::ProcessDblClick(const QString &row) {
    frmInvite::closeAll();
    const QStringList pieces = SplitWords(row, QStringLiteral(".: "));
    if (pieces.size() >= 4) {
        auto *window = new frmInvite(*this);
        window->lblInvite->setText(pieces.at(1));
        window->lblRating->setText(pieces.at(2));
        window->lblExper->setText(pieces.at(3));
        if (match.theOldMatchLength == 0)
            match.theOldMatchLength = prefs.prfLastMatchLength;
        window->Combo1->setEditText(QString::number(match.theOldMatchLength));
        if (pieces.at(0) == QLatin1String("P"))
            window->cmdInvite->setText(QStringLiteral("Auto Invite"));
        window->lblPlayed->setText(QStringLiteral("0"));
        window->lblScore->setText(QStringLiteral("0"));
        window->setWindowTitle(QStringLiteral("Invitation ") + pieces.at(1));
        GetStats(pieces.at(1));
        if (flags.isBot) {
            window->Combo1->setEditText(QString::number(match.theOldMatchLength));
            window->cmdWatch->setEnabled(false);
            window->exec();
        } else {
            window->cmdWatch->setEnabled(true);
            window->show();
        }
    }
    frmInvite::resetCascade();
}

void Mainform::SelectListPlayer(const QString &row) {
    const QStringList pieces = SplitWords(row, QStringLiteral(".: "));
    if (pieces.size() < 4)
        return;
    selectedPlayer = pieces.at(1);
    flags.tokenPlayer = selectedPlayer;
}

void Mainform::mnuInvite_Click() {
    for (QListWidget *list : {List1, List2, List3, List4})
        if (list->isVisible() && list->currentItem() && list->currentItem()->isSelected())
            ProcessDblClick(list->currentItem()->text());
    frmInvite::resetCascade();
}

void Mainform::mnuJoin_Click() {
    if (server.isConnected() && flags.isPlaying)
        server.send(QStringLiteral("join "));
}

void Mainform::mnuLook_Click() {
    if (!selectedPlayer.isEmpty() && flags.isConnected && server.isConnected())
        server.send(QStringLiteral("look ") + selectedPlayer + ' ');
}

void Mainform::mnuWatch_Click() {
    for (QListWidget *list : {List1, List2, List3, List4})
        if (list->isVisible() && list->currentItem() && list->currentItem()->isSelected() &&
            !list->currentItem()->text().isEmpty())
            SelectListPlayer(list->currentItem()->text());
    if (!selectedPlayer.isEmpty() && flags.isConnected)
        server.send(QStringLiteral("watch ") + selectedPlayer + ' ');
}

void Mainform::mnuStopWatch_Click() {
    if (!server.isConnected()) {
        Dialogs::message(QStringLiteral("Connection to Fibs is not open"));
        return;
    }
    server.send(QStringLiteral("unwatch"));
}

void Mainform::mnuWatchers_Click() {
    if (server.isConnected())
        server.send(QStringLiteral("show watchers "));
}

void Mainform::mnuWhois_Click() {
    if (selectedPlayer.isEmpty() || !flags.isConnected || !server.isConnected())
        return;
    server.send(QStringLiteral("whois ") + selectedPlayer + ' ');
    opTerminal->setChecked(true);
    opTerminal_Click();
}

int Mainform::GetNumDropped(const QString &name) const {
    for (const SavedGame &game : lists.savedGames)
        if (game.name == name)
            return game.count;
    return 0;
}

void Mainform::GetStats(const QString &name) {
    QString rating, experience;
    int saved = 0;
    bool listed = false;
    for (int i = 0; i < List1->count() && !listed; ++i) {
        if (PlayerRecord::fromRow(List1->item(i)->text(), name, rating, experience)) {
            listed = true;
            saved = GetNumDropped(name);
        }
    }
    if (!listed && flags.isConnected)
        server.send(QStringLiteral("whois ") + name + ' ');

    const auto &records = playerStats.records;
    const auto record =
        std::find_if(records.begin(), records.end(), [&](const StatsRecord &r) { return r.name.trimmed() == name; });

    frmInvite *window = nullptr;
    for (frmInvite *w : frmInvite::openWindows())
        if (w->windowTitle() == QStringLiteral("Invitation ") + name) {
            window = w;
            break;
        }
    if (!window)
        return;
    if (!rating.isEmpty() && !experience.isEmpty()) {
        window->lblRating->setText(rating);
        window->lblExper->setText(experience);
        window->lblBot->setVisible(PlayerRecord::isRobot(name));
        if (!lists.savedGames.empty()) {
            window->lblSaved->setText(QString::number(saved));
            const int mark = PlayerRecord::savedMark(saved);
            if (!(mark == 3 && PlayerRecord::isRobot(name))) {
                window->Image1->setVisible(mark == 1);
                window->Image2->setVisible(mark == 2);
                window->Image3->setVisible(mark == 3);
            }
        }
    }
    if (record != records.end()) {
        window->lblPlayed->setText(QString::number(record->played));
        const QString caption = window->cmdInvite->text();
        if (caption == QLatin1String("Invite") || caption == QLatin1String("Auto Invite"))
            window->Combo1->setEditText(QString::number(record->lastLength));
        window->txtComment->setText(record->note);
        if (record->played >= 1)
            window->lblScore->setText(QString::number(PlayerRecord::wonPercent(record->won, record->played)));
    }
}

void Mainform::lobbyRule(int rule, const QString &line, const QStringList &w) {
    const int count = int(w.size());
    switch (rule) {
    case 24:  // an invitation that can only resume a saved match
        if (!frmInvite::openWindows().isEmpty()) {
            frmInvite *window = frmInvite::openWindows().first();
            window->cmdInvite->setText(QStringLiteral("Invite"));
            window->Combo1->setEditText(QStringLiteral("S"));
            window->setWindowTitle(QStringLiteral("Warning !! Resume Only"));
        }
        break;
    case 36:
        infoName_ = w.at(2);
        break;
    case 37:
        setCaption(lblStatus, line);
        if (count == 4)
            for (frmInvite *window : frmInvite::openWindows())
                if (window->windowTitle() == QStringLiteral("Invitation ") + infoName_) {
                    window->lblRating->setText(w.at(1));
                    window->lblExper->setText(w.at(3));
                    break;
                }
        break;
    case 38:
    case 39: {
        match.MovesToMake = 0;
        if (gagList.IsGagged(w.at(0)))
            break;
        if (!prefs.prfDisableSounds)
            PlayWav(QStringLiteral("bell"), false, prefs);
        auto *window = new frmInvite(*this);
        window->show();
        window->setWindowTitle(QStringLiteral("Invitation ") + w.at(0));
        window->cmdInvite->setText(QStringLiteral("Join"));
        window->cmdWatch->setText(QStringLiteral("Decline"));
        window->lblInvite->setText(' ' + w.at(0));
        flags.tokenPlayer = w.at(0);
        if (rule == 38) {
            window->Combo1->setEditText(count >= 6 && InviteDecision::isNumeric(w.at(5)) ? w.at(5) : QStringLiteral("S"));
            GetStats(w.at(0));
            QCoreApplication::processEvents();
            Pause(200);
            if (prefs.prfAskRepbot && server.isConnected())
                server.send(QStringLiteral("tell RepBot ask ") + w.at(0) + ' ');
        } else {
            window->Combo1->setEditText(QStringLiteral("S"));
            GetStats(w.at(0));
            LoadDropped(w.at(0));
        }
        break;
    }
    case 40:
        setCaption(lblStatus, line);
        flags.isPlaying = false;
        flags.isWatching = true;
        break;
    case 41:
        if (gagList.IsGagged(w.at(0)))
            break;
        ShowKibitz(line);
        if (w.at(1) == QLatin1String("stops"))
            --match.numWatchers1;
        else
            ++match.numWatchers1;
        break;
    default:
        break;
    }
}

void Mainform::LoadDropped(const QString &) {
    // Resuming from the locally kept log comes with the match records.
}
