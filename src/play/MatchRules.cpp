#include "play/MatchRules.h"

#include "app/AppState.h"

MatchRules::CubePicture MatchRules::CheckCrawford(int score1, int score2, int matchLength, MatchState &match,
                                                  int didCrawford) {
    CubePicture picture = CubePicture::Unchanged;
    if (score1 == 0 && score2 == 0) {
        postCrawford = false;
        match.AskToDouble = true;
        match.isCrawford = 0;
        picture = CubePicture::Doubling;
    }
    if (didCrawford >= 0) {
        // Nothing remembered from an earlier match, or from a match resumed after its
        // Crawford game, can stand against what the line says.
        postCrawford = didCrawford != 0;
        const bool crawfordGame =
            !postCrawford && (matchLength - score1 == 1 || matchLength - score2 == 1);
        if (crawfordGame && match.isCrawford != 1) {
            match.isCrawford = 1;
            match.AskToDouble = false;
            picture = CubePicture::NoDoubling;
        } else if (!crawfordGame && match.isCrawford == 1) {
            match.isCrawford = 0;
            match.AskToDouble = true;
            picture = CubePicture::Doubling;
        }
        return picture;
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
