#pragma once
// Every web address the program opens or fetches: the maker's pages, the game server's list
// of saved matches and a partner's page.
#include <QString>

namespace WebLinks {

inline QString homePage() { return QStringLiteral("https://korvex.example.org/"); }
// Where to play for money; the ad, the About window and the exit window lead there.
inline QString onlinePage() { return homePage() + QStringLiteral("backgammon/online.html"); }
inline QString downloadPage() { return homePage() + QStringLiteral("backgammon/download.html"); }
// A few lines of plain text naming the latest version; fetched, never opened.
inline QString updateText() { return homePage() + QStringLiteral("backgammon/checkupdate.txt"); }
// The game server's own page of the matches it keeps for a resume, one player a line.
inline QString savedGamesPage() { return QStringLiteral("http://www.fibs.com/savedgames/list.html"); }
// The partner's games, with the number that tells them who sent the player.
inline QString partnerReferral() { return QStringLiteral("https://games.example.net/?sr=1008"); }

}  // namespace WebLinks
