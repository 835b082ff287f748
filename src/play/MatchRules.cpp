#include "play/MatchRules.h"

#include "app/AppState.h"

MatchRules::CubePicture MatchRules::CheckCrawford(int score1, int score2, int matchLength, MatchState &match) {
    CubePicture picture = CubePicture::Unchanged;
    if (score1 == 0 && score2 == 0) {
        postCrawford = false;
        match.AskToDouble = true;
        match.isCrawford = 0;
        picture = CubePicture::Doubling;
    }
    if (match.isCrawford == 1) {
        match.isCrawford = 0;
        postCrawford = true;
        match.AskToDouble = true;
    } else if (!postCrawford && (matchLength - score1 == 1 || matchLength - score2 == 1)) {
        match.isCrawford = 1;
        match.AskToDouble = false;
        picture = CubePicture::NoDoubling;
    }
    return picture;
}
