#include "connection/AccountDialogue.h"

namespace {
// The server's words the dialogue waits for; only these parts of its prompts are relied on.
const QString kLogin = QStringLiteral("login: ");
const QString kAskName = QStringLiteral("ONE USERNAME");
const QString kNameTaken = QStringLiteral("Please use another");
const QString kNameTakenOk = QStringLiteral("Your name will be");
const QString kAskPassword = QStringLiteral("Please give your password");
const QString kRetype = QStringLiteral("Please retype");
const QString kRegistered = QStringLiteral("You are registered");
const QString kStyleSet = QStringLiteral("set to 3");
const QString kBoardsOn = QStringLiteral("Will send");
}  // namespace

AccountDialogue::Action AccountDialogue::tick(const QString &received, const QString &username,
                                              const QString &password) {
    ++ticks_;
    Action a;
    auto take = [&](int next) {
        a.stepTaken = true;
        step_ = next;
    };
    auto clearText = [&] {
        a.replaceText = true;
        a.text = QString();
    };

    switch (step_) {
    case 0:
        if (received.contains(kLogin)) {
            a.send = QStringLiteral("guest");
            a.status = QStringLiteral("Creating Username..");
            take(1);
        }
        break;
    case 1:
        if (received.contains(kAskName)) {
            clearText();
            a.send = QStringLiteral("name ") + username;
            take(2);
        }
        break;
    case 2:
        if (received.contains(kNameTaken)) {
            // The next "Create" finds this and sends the new name at once.
            a.replaceText = true;
            a.text = kAskName;
            a.status = QStringLiteral("type another username");
            a.event = Event::NameTaken;
            take(1);
        } else if (received.contains(kNameTakenOk)) {
            take(3);
        }
        break;
    case 3:
        if (received.contains(kAskPassword)) {
            clearText();
            a.send = password;
            a.status = QStringLiteral("Sending password..");
            take(4);
        }
        break;
    case 4:
        if (received.contains(kRetype)) {
            clearText();
            a.send = password;
            take(5);
        }
        break;
    case 5:
        if (received.contains(kRegistered)) {
            a.send = QStringLiteral("set boardstyle 3 ");
            a.status = QStringLiteral("Sending settings..");
            take(6);
        }
        break;
    case 6:
        if (received.contains(kStyleSet)) {
            a.send = QStringLiteral("toggle moreboards ");
            take(7);
        }
        break;
    case 7:
        if (received.contains(kBoardsOn)) {
            a.send = QStringLiteral("bye ");
            a.event = Event::Registered;
            take(7);
        }
        break;
    default:
        break;
    }

    if (!a.stepTaken && ticks_ > kPatience)
        a.event = Event::GivenUp;
    return a;
}
