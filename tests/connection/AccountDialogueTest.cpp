#include "connection/AccountDialogue.h"

#include <gtest/gtest.h>

namespace {

using Event = AccountDialogue::Event;

TEST(AccountDialogueTest, RegistersStepByStep) {
    AccountDialogue d;
    const QString user = "alice", pass = "secret1";

    // Nothing happens until the server's words are there.
    EXPECT_FALSE(d.tick("Welcome to the server\r\n", user, pass).stepTaken);

    auto a = d.tick("Welcome\r\nlogin: ", user, pass);
    EXPECT_EQ(a.send, "guest");
    EXPECT_EQ(a.status, "Creating Username..");
    EXPECT_FALSE(a.replaceText);
    EXPECT_EQ(d.step(), 1);

    a = d.tick("Please register... ONE USERNAME PER PERSON ONLY!\r\n> ", user, pass);
    EXPECT_TRUE(a.replaceText);
    EXPECT_EQ(a.text, "");
    EXPECT_EQ(a.send, "name alice");
    EXPECT_EQ(d.step(), 2);

    a = d.tick("Your name will be alice.\r\n", user, pass);
    EXPECT_TRUE(a.stepTaken);
    EXPECT_TRUE(a.send.isNull());
    EXPECT_EQ(d.step(), 3);

    a = d.tick("Your name will be alice.\r\nPlease give your password: ", user, pass);
    EXPECT_EQ(a.send, "secret1");
    EXPECT_EQ(a.status, "Sending password..");
    EXPECT_TRUE(a.replaceText);

    a = d.tick("\r\nPlease retype your password: ", user, pass);
    EXPECT_EQ(a.send, "secret1");
    EXPECT_EQ(d.step(), 5);

    a = d.tick("\r\nYou are registered.\r\n> ", user, pass);
    EXPECT_EQ(a.send, "set boardstyle 3 ");
    EXPECT_EQ(a.status, "Sending settings..");

    a = d.tick("Value of 'boardstyle' set to 3.\r\n", user, pass);
    EXPECT_EQ(a.send, "toggle moreboards ");
    EXPECT_EQ(d.step(), 7);

    a = d.tick("** Will send rawboard after every move.\r\n", user, pass);
    EXPECT_EQ(a.send, "bye ");
    EXPECT_EQ(a.event, Event::Registered);
    EXPECT_EQ(d.step(), 7);
}

TEST(AccountDialogueTest, TakenNameAsksForAnotherAndRefusalWins) {
    AccountDialogue d;
    d.tick("login: ", "bob", "pw12");
    d.tick("ONE USERNAME", "bob", "pw12");
    ASSERT_EQ(d.step(), 2);

    auto a = d.tick("Your name will be bob\r\n** Please use another name. 'bob' is already used.\r\n", "bob", "pw12");
    EXPECT_EQ(a.event, Event::NameTaken);
    EXPECT_TRUE(a.replaceText);
    EXPECT_EQ(a.text, "ONE USERNAME");
    EXPECT_EQ(a.status, "type another username");
    EXPECT_TRUE(a.send.isNull());
    EXPECT_EQ(d.step(), 1);

    // With the text the refusal left, the next tick sends the new name at once.
    a = d.tick(a.text, "bobby", "pw12");
    EXPECT_EQ(a.send, "name bobby");
}

TEST(AccountDialogueTest, GivesUpAfterAHundredTicksWithoutProgressAndResets) {
    AccountDialogue d;
    for (int i = 1; i <= AccountDialogue::kPatience; ++i)
        ASSERT_EQ(d.tick("", "alice", "pw12").event, Event::None) << i;
    EXPECT_EQ(d.tick("", "alice", "pw12").event, Event::GivenUp);

    d.reset();
    EXPECT_EQ(d.step(), 0);
    EXPECT_EQ(d.ticks(), 0);
    EXPECT_EQ(d.tick("login: ", "alice", "pw12").send, "guest");
}

}  // namespace
