#pragma once
// Cuts a text into the pieces between delimiter characters; every parser of server
// lines and files uses it.
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// An ordered collection of texts, each under a unique key ("String1", "String2", ...).
class Pieces {
public:
    int count() const { return int(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    // 1-based, as the keys are; out of range gives an empty text.
    QString item(int index) const;
    QString value(const QString &key) const;
    bool contains(const QString &key) const;
    void add(const QString &key, const QString &value);
    void remove(const QString &key);
    QStringList toList() const;

private:
    std::vector<std::pair<QString, QString>> items_;
};

// options: low two bits 1 = every character of `delimiters` separates, 2 = the whole
// delimiter text is one separator; bits 4/8/16 keep the separator as its own piece,
// at the end of the piece before it, or at the start of the piece after it.
// Every caller uses 1. A bad options value shows an error and leaves the whole text as
// the only piece.
void SplitString(Pieces &coll, const QString &text, const QString &delimiters, int options = 1);

// The common case: the non-empty pieces between any of the delimiter characters.
QStringList SplitWords(const QString &text, const QString &delimiters);
