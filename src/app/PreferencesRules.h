#pragma once
// What the preferences window computes and checks, apart from its controls: the animation
// slider's delay and the values the user types.
#include <QString>
#include <optional>

namespace PreferencesRules {

// The animation delay for a slider position from 0 (slowest, 6000) to 1000 (fastest, 0).
int animDelayForSlider(int position);

// The typed boxes as the user left them.
struct TypedValues {
    QString animDelay, delay, host, port;
};

// What Save may store. A value left empty is kept as it was; `refusal` names the first box
// that cannot be stored, and then nothing at all is stored.
struct TypedResult {
    QString refusal;
    bool clearAnimDelay = false;  // a negative delay: the box is emptied, the value kept
    std::optional<int> animDelay;
    std::optional<double> delay;
    std::optional<QString> host;
    std::optional<int> port;
};

TypedResult checkTypedValues(const TypedValues &typed);

}  // namespace PreferencesRules
