#pragma once
// The server's own switches as this client knows them: read from the own-information line
// and kept up with the toggles the client sends and the server's answers, so that a
// "toggle" goes out only to turn a switch the wanted way, never to flip one that already
// is. Before the first own-information line of a connection every switch is unknown.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct ServerSwitches {
    enum Switch { Automove, Moreboards, Notify, Report, Double, SwitchCount };

    std::array<std::optional<bool>, SwitchCount> state;
    // The start-up toggles came due before the own-information line said which are needed.
    bool startupTogglesWaiting = false;

    static QString toggleCommand(Switch s) {
        static const char *const names[SwitchCount] = {"automove", "moreboards", "notify", "report", "double"};
        return QStringLiteral("toggle ") + QLatin1String(names[s]) + ' ';
    }

    // The 22 words of an own-information line: "2 name allowpip autoboard autodouble
    // automove away bell crawford double experience greedy moreboards moves notify rating
    // ratings ready redoubles report silent timezone"; "0" is off.
    void readOwnInformation(const QStringList &words) {
        auto on = [&](int word) { return words.at(word - 1) != QLatin1String("0"); };
        state[Automove] = on(6);
        state[Double] = on(10);
        state[Moreboards] = on(13);
        state[Notify] = on(15);
        state[Report] = on(20);
    }

    bool known(Switch s) const { return state[s].has_value(); }
    bool isOn(Switch s) const { return state[s].value_or(false); }
    bool isOff(Switch s) const { return known(s) && !*state[s]; }
    void set(Switch s, bool on) { state[s] = on; }
    // A toggle went out: a switch known before now stands the other way.
    void toggled(Switch s) {
        if (known(s))
            state[s] = !*state[s];
    }
};
