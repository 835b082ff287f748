#include "connection/LineAssembler.h"
#include "support/ScriptedServer.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// What the dispatcher would see: each handed-on text cut after every LF, so that runs of
// lines compare alike however they were grouped; the prompt stays a piece of its own.
QStringList pieces(const QStringList &texts) {
    QStringList out;
    for (const QString &text : texts) {
        qsizetype from = 0;
        while (from < text.size()) {
            const qsizetype lf = text.indexOf(u'\n', from);
            const qsizetype end = lf < 0 ? text.size() : lf + 1;
            out << text.mid(from, end - from);
            from = end;
        }
    }
    return out;
}

QStringList feedCut(const QByteArray &bytes, const QList<qsizetype> &cuts) {
    LineAssembler assembler;
    QStringList texts;
    qsizetype from = 0;
    QList<qsizetype> ends = cuts;
    ends << bytes.size();
    for (qsizetype end : ends) {
        texts << assembler.feed(QByteArrayView(bytes).sliced(from, end - from));
        from = end;
    }
    return pieces(texts);
}

// A session as the server sends it: the banner and the prompt, the client-mode lines of
// a login, chat, a match with its board lines, telnet negotiation and a Latin-1 letter.
struct Session {
    QByteArray bytes;
    QStringList expected;

    void line(const QByteArray &text, const QByteArray &end = "\r\n") {
        bytes += text + end;
        expected << QString::fromLatin1(text + end);
    }
    void lines(const QString &fixture) {
        for (const QString &l : ScriptedServer::fixtureLines(fixture))
            line(l.toLatin1());
    }
};

Session recordedSession() {
    Session s;
    s.line("");
    s.line("                 Welcome to the test server");
    s.line("** Last login: Mon Jan  6 12:00:00 2025 from 127.0.0.1");
    s.bytes += "login: ";
    s.expected << "login:";
    s.lines("clip01_welcome/gibbon-test-clip-reader.txt");
    s.lines("clip02_own_info/lepton-GameHelperUnitTest.txt");
    s.lines("clip03-04_motd/lepton-GameHelperUnitTest.txt");
    s.lines("clip05-06_who_info/gibbon-test-clip-reader.txt");
    s.bytes += ScriptedServer::telnet(252, 1);
    s.line("12 gflohr Caf\xE9 au lait?");
    s.lines("clip12-19_chat/lepton-GameHelperUnitTest.txt");
    s.lines("invite_join/lepton-GameHelperUnitTest.txt");
    s.lines("board/gibbon-test-clip-reader.txt");
    s.lines("move/gibbon-test-clip-reader.txt");
    s.line("You roll 3 and 5.", "\n");  // a line end without CR
    s.lines("double_cube/gibbon-test-clip-reader.txt");
    s.bytes += "\r\nlogin: ";
    s.expected << "\r\n" << "login:";
    s.line("8 gflohr gflohr drops connection.");
    return s;
}

TEST(LineAssemblerTest, RecordedSessionGivesTheSameLinesHoweverItIsCut) {
    const Session session = recordedSession();
    ASSERT_GT(session.bytes.size(), 2000);
    ASSERT_EQ(feedCut(session.bytes, {}), session.expected);

    for (qsizetype cut = 0; cut <= session.bytes.size(); ++cut)
        ASSERT_EQ(feedCut(session.bytes, {cut}), session.expected) << "cut at byte " << cut;

    QList<qsizetype> everyByte;
    for (qsizetype i = 1; i < session.bytes.size(); ++i)
        everyByte << i;
    EXPECT_EQ(feedCut(session.bytes, everyByte), session.expected);

    QRandomGenerator random(4321);
    for (int round = 0; round < 200; ++round) {
        QList<qsizetype> cuts;
        for (qsizetype at = random.bounded(1, 40); at < session.bytes.size(); at += random.bounded(1, 300))
            cuts << at;
        ASSERT_EQ(feedCut(session.bytes, cuts), session.expected) << "round " << round;
    }
}

TEST(LineAssemblerTest, HandsOnOnlyCompleteLinesAndKeepsTheRest) {
    LineAssembler a;
    EXPECT_TRUE(a.feed("5 bob - - 0").isEmpty());
    EXPECT_TRUE(a.feed("\r").isEmpty());  // a CR alone ends nothing
    EXPECT_EQ(a.feed("\n6\r\n7 am"), QStringList{"5 bob - - 0\r\n6\r\n"});
    EXPECT_EQ(a.pendingSize(), 4);
    // Single characters used to be dropped; they belong to their line like any other.
    EXPECT_TRUE(a.feed("y").isEmpty());
    EXPECT_EQ(a.feed("\n"), QStringList{"7 amy\n"});
    EXPECT_EQ(a.pendingSize(), 0);

    a.feed("half a li");
    a.clear();
    EXPECT_EQ(a.feed("ne\r\n"), QStringList{"ne\r\n"});
    // A new connection does not go on dropping the rest of the last one's cut line.
    EXPECT_EQ(a.feed(QByteArray(LineAssembler::kLineLimit + 10, 'x')).size(), 1);
    a.clear();
    EXPECT_EQ(a.feed("login: "), QStringList{"login:"});
    a.clear();
    EXPECT_EQ(a.feed("1 bob 1041253132 host\r\n"), QStringList{"1 bob 1041253132 host\r\n"});
    a.feed("the last words");
    EXPECT_EQ(a.takeRest(), "the last words");
    EXPECT_EQ(a.pendingSize(), 0);
}

TEST(LineAssemblerTest, PromptWithoutLineEndIsHandedOnAtOnce) {
    LineAssembler a;
    EXPECT_EQ(a.feed("Welcome\r\n\r\nlogin: "), (QStringList{"Welcome\r\n\r\n", "login:"}));
    // The answer to the prompt starts clean, without the prompt's trailing blank.
    EXPECT_EQ(a.feed("1 bob 1041253132 host\r\n"), QStringList{"1 bob 1041253132 host\r\n"});

    EXPECT_EQ(a.feed("\r\nlo"), QStringList{"\r\n"});  // "lo" waits for the rest
    EXPECT_EQ(a.feed("gin:"), QStringList{"login:"});
    EXPECT_TRUE(a.feed(" ").isEmpty());
    EXPECT_EQ(a.feed("\r\n"), QStringList{"\r\n"});

    // A line that only mentions the prompt is not cut, wherever the read ends.
    EXPECT_TRUE(a.feed("** Last login:").isEmpty());
    EXPECT_TRUE(a.feed(" ").isEmpty());
    EXPECT_EQ(a.feed("Mon Jan  6\r\n"), QStringList{"** Last login: Mon Jan  6\r\n"});
    EXPECT_TRUE(a.feed("Your login: ").isEmpty());
    EXPECT_EQ(a.feed("bob\n"), QStringList{"Your login: bob\n"});
}

// Negotiation and subnegotiation go whole, a doubled 255 is the letter it stands for, and
// telnet's NUL after a bare CR is no text: the prompt behind it is still the prompt.
TEST(LineAssemblerTest, TelnetIsTakenOutAcrossReads) {
    const QByteArray wont = ScriptedServer::telnet(252, 1);
    const QByteArray will = ScriptedServer::telnet(251, 1);
    const QByteArray terminalType("\xFF\xFA\x18\x01\xFF\xFF\x02\xFF\xF0", 9);  // IAC SB ... IAC SE
    const QByteArray nop("\xFF\xF1", 2);
    const QByteArray dont = ScriptedServer::telnet(254, 3);
    const QByteArray stream = "pass" + will + "wo" + dont + "rd\r\n" + wont + "Caf\xFF\xFF" + terminalType + " au" + nop +
                              " lait\r\n" + QByteArray("\r\0login: ", 9) + wont;
    const QStringList expected{"password\r\n", QString::fromLatin1("Caf\xFF au lait\r\n"), "\rlogin:"};
    for (qsizetype cut = 0; cut <= stream.size(); ++cut)
        for (qsizetype cut2 = cut; cut2 <= stream.size(); ++cut2)
            ASSERT_EQ(feedCut(stream, {cut, cut2}), expected) << cut << " " << cut2;
}

// A subnegotiation ends at its IAC SE however near the limit that comes, and only there: a
// lone SE or a doubled 255 in its payload is payload. One without an end is dropped for the
// limit's worth of payload, and what follows is text again, a doubled 255 there too being
// the byte itself. An empty read changes nothing.
TEST(LineAssemblerTest, ASubnegotiationGoesToItsEndOrToTheLimit) {
    EXPECT_TRUE(LineAssembler().feed(QByteArray()).isEmpty());
    const QByteArray start("\xFF\xFA\x18", 3), end("\xFF\xF0", 2);
    constexpr int kLimit = TelnetFilter::kSubnegotiationLimit;
    const QByteArray ends("\xFF\xFA\x1F\x00\xF0x\xFF\xFF\xF0y\xFF\xF0ok\r\n", 16);
    for (qsizetype cut = 0; cut <= ends.size(); ++cut)
        ASSERT_EQ(feedCut(ends, {cut}), QStringList{"ok\r\n"}) << cut;
    const QByteArray pastTheLimit = start + QByteArray(kLimit - 1, 'x') + "\xFF\xFFHi\r\n";
    for (qsizetype cut : {0, 2, kLimit + 2, kLimit + 3})
        EXPECT_EQ(feedCut(pastTheLimit, {cut}), QStringList{QString::fromLatin1("\xFFHi\r\n")}) << cut;
    for (int payload : {kLimit - 2, kLimit - 1, kLimit}) {
        const QByteArray stream = start + QByteArray(payload - 1, 'x') + end + "ok\r\n";
        EXPECT_EQ(feedCut(stream, {}), QStringList{"ok\r\n"}) << payload;
        EXPECT_EQ(feedCut(stream, {2, payload + 3}), QStringList{"ok\r\n"}) << payload;
    }
    const QByteArray unended = start + QByteArray(kLimit - 1 + 5, 'x') + "\r\nok\r\n";
    EXPECT_EQ(feedCut(unended, {}), (QStringList{"xxxxx\r\n", "ok\r\n"}));
    EXPECT_EQ(feedCut(unended, {1, 2000}), (QStringList{"xxxxx\r\n", "ok\r\n"}));
}

TEST(LineAssemblerTest, TextIsLatin1) {
    LineAssembler a;
    const QStringList out = a.feed("12 bob \xE9\xFC\xDF\xA3\r\n");
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out.first(), QString::fromUtf8("12 bob éüß£\r\n"));
}

// A line of a megabyte is cut at the limit and the rest of it dropped, wherever the reads
// were cut; the line after it comes whole, and nothing is held past the limit meanwhile.
TEST(LineAssemblerTest, LineOfOneMegabyte) {
    QByteArray line(1 << 20, 'x');
    line[0] = '9';
    const QByteArray stream = "3\r\n" + line + "\r\n4\r\n";
    const QStringList expected{"3\r\n", QString::fromLatin1(line.left(LineAssembler::kLineLimit) + "\r\n"), "4\r\n"};

    EXPECT_EQ(feedCut(stream, {}), expected);
    QList<qsizetype> pieces4k;
    for (qsizetype at = 4096; at < stream.size(); at += 4096)
        pieces4k << at;
    EXPECT_EQ(feedCut(stream, pieces4k), expected);

    LineAssembler a;
    QStringList texts;
    qsizetype held = 0;
    for (qsizetype i = 0; i < stream.size(); ++i) {
        texts << a.feed(QByteArrayView(stream).sliced(i, 1));
        held = qMax(held, a.pendingSize());
    }
    EXPECT_EQ(pieces(texts), expected);
    EXPECT_EQ(held, LineAssembler::kLineLimit);

    // The cut line is told from the others; a line of exactly the limit is not cut, whatever
    // its line end and wherever the reads fall.
    QList<qsizetype> cut;
    EXPECT_EQ(LineAssembler().feed(stream, &cut).size(), 3);
    EXPECT_EQ(cut, QList<qsizetype>{1});
    for (const QByteArray lineEnd : {"\n", "\r\n"}) {
        const QByteArray longest = QByteArray(LineAssembler::kLineLimit, 'y') + lineEnd;
        cut.clear();
        EXPECT_EQ(LineAssembler().feed(longest, &cut), QStringList{QString::fromLatin1(longest)});
        EXPECT_TRUE(cut.isEmpty()) << lineEnd.size();
        EXPECT_EQ(feedCut(longest, {LineAssembler::kLineLimit, LineAssembler::kLineLimit + 1}),
                  QStringList{QString::fromLatin1(longest)});
    }
}

// What stands before a prompt is a line like any other: held to the limit, and handed on the
// same however the reads fall.
TEST(LineAssemblerTest, WhatStandsBeforeAPromptIsHeldToTheLimit) {
    const QByteArray stream = QByteArray(1 << 20, '\r') + "login: \r\n3\r\n";
    const QStringList expected{QString(LineAssembler::kLineLimit, u'\r') + "\r\n", "3\r\n"};
    EXPECT_EQ(feedCut(stream, {}), expected);
    QList<qsizetype> pieces4k;
    for (qsizetype at = 4096; at < stream.size(); at += 4096)
        pieces4k << at;
    EXPECT_EQ(feedCut(stream, pieces4k), expected);
    EXPECT_EQ(feedCut(stream, {stream.size() - 10}), expected);

    // Up to the limit the prompt is the prompt.
    const QByteArray near = QByteArray(LineAssembler::kLineLimit - 6, ' ') + "login: ";
    EXPECT_EQ(feedCut(near, {}), QStringList{QString::fromLatin1(near.chopped(1))});
    EXPECT_EQ(feedCut(near, {100, near.size() - 3}), QStringList{QString::fromLatin1(near.chopped(1))});
}

}  // namespace
