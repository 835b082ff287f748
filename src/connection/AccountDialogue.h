#pragma once
// The registration dialogue of the new-account window: logged in as the server's guest,
// it answers one server prompt per tick with the name and password the user chose.
#include <QString>

class AccountDialogue {
public:
    // Ticks without reaching the end before the dialogue gives up (about 200 seconds).
    static constexpr int kPatience = 100;

    enum class Event {
        None,
        NameTaken,   // the server refused the name; ask the user for another
        Registered,  // the account exists and its settings were sent; store it
        GivenUp,     // no progress for too long
    };

    // What one tick asks the window to do.
    struct Action {
        bool stepTaken = false;
        QString send;           // a command for the server, when not null
        QString status;         // the status line's new text, when not null
        bool replaceText = false;
        QString text;           // the received text's replacement, when replaceText
        Event event = Event::None;
    };

    void reset() {
        step_ = 0;
        ticks_ = 0;
    }

    // One tick over everything received since the text was last replaced.
    Action tick(const QString &received, const QString &username, const QString &password);

    int step() const { return step_; }
    int ticks() const { return ticks_; }

private:
    int step_ = 0;
    int ticks_ = 0;
};
