#pragma once
// Turns the server's byte stream into the texts the dispatcher reads: only whole lines,
// and the "login:" prompt, which the server sends without a line end. What comes out
// is the same however the stream was cut into reads.
#include "connection/TelnetFilter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

class LineAssembler {
public:
    // The server's longest lines are a few hundred bytes. A line longer than this (its line
    // end, LF or CR LF, not counted) is handed on cut to this length, with a CR LF of its
    // own, as a text of its own; the rest of it, up to and with its line end, is dropped.
    // What stands before a prompt counts as a line. So no line, and no stream without line
    // ends, is ever held or handed on without bound.
    static constexpr qsizetype kLineLimit = 64 * 1024;

    // The texts ready to hand on, in order: runs of complete lines, each with its own
    // line end (LF or CR LF), and the prompt as a text of its own. Often empty.
    // `cutLines`, when given, gets the index in the result of each cut line's text.
    QStringList feed(QByteArrayView chunk, QList<qsizetype> *cutLines = nullptr);

    // Forgets the line in progress, as a new connection must.
    void clear();

    // The line in progress when the stream has ended, and a fresh start.
    QString takeRest();

    // Bytes of the line in progress, not yet handed on.
    qsizetype pendingSize() const { return line_.size(); }

private:
    // Feeds the bytes of one read up to the end of the line they continue (or the read's
    // end) to the prompt test; returns where the prompt ends, or nullptr.
    const char *findPrompt(const char *from, const char *to);
    void startLine();

    TelnetFilter telnet_;
    QByteArray scratch_;
    QByteArray line_;          // the line in progress
    bool mayBePrompt_ = true;  // nothing but blanks and a part of "login:" seen on this line yet
    int promptMatched_ = 0;    // characters of "login:" seen so far
    bool afterPrompt_ = false; // blanks right after a prompt belong to it and are dropped
    bool dropping_ = false;    // the rest of a cut line, up to its LF, is being dropped
};
