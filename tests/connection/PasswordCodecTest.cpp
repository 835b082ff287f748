#include "connection/PasswordCodec.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

QList<int> codes(const QString &text) {
    QList<int> out;
    for (QChar c : text)
        out << c.unicode();
    return out;
}

TEST(PasswordCodecTest, KnownStoredForms) {
    EXPECT_EQ(codes(EncodePassword("a")), (QList<int>{4, 3, 10, 8}));                // "3297"
    EXPECT_EQ(codes(EncodePassword(QString(QChar(0xFF)))), (QList<int>{3, 6, 6}));   // "255"
    EXPECT_EQ(codes(EncodePassword("d")), (QList<int>{2, 1, 1}));                    // "100"
    // Codes below 10 keep two digits, so the short group still reads back.
    EXPECT_EQ(codes(EncodePassword(QString(QChar(7)))), (QList<int>{4, 3, 1, 8}));   // "3207"
    EXPECT_EQ(EncodePassword(""), "");

    const QString stored = EncodePassword("a") + EncodePassword("d");
    EXPECT_EQ(DecodePassword(stored), QString("ad"));
}

TEST(PasswordCodecTest, EveryLatin1CharacterComesBack) {
    QString all;
    for (int code = 0; code <= 0xFF; ++code) {
        const QString one = QString(QChar(code));
        EXPECT_EQ(DecodePassword(EncodePassword(one)), one) << "code " << code;
        EXPECT_EQ(EncodePassword(one).size(), code < 100 ? 4 : 3) << "code " << code;
        all += one;
    }
    EXPECT_EQ(DecodePassword(EncodePassword(all)), all);
}

TEST(PasswordCodecTest, CharactersOutsideLatin1BecomeQuestionMarks) {
    EXPECT_EQ(DecodePassword(EncodePassword(QString::fromUtf8("pa€s"))), QString("pa?s"));
}

TEST(PasswordCodecTest, TextNotInTheFormatIsRefused) {
    EXPECT_EQ(DecodePassword(QString("abc")), std::nullopt);                       // codes above 10
    EXPECT_EQ(DecodePassword(QString(QChar(0)) + QChar(1)), std::nullopt);        // code 0
    EXPECT_EQ(DecodePassword(EncodePassword("a").left(3)), std::nullopt);          // a cut group
    EXPECT_EQ(DecodePassword(QString(3, QChar(10))), std::nullopt);  // 999
    EXPECT_EQ(DecodePassword(""), QString(""));
}

}  // namespace
