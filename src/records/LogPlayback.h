#pragma once
// A saved match log read again, in blocks the dispatcher shows as if the server sent them:
// each step runs up to and including the next board or double; one board back; the first
// board of any game.
#include <QString>
#include <QStringList>
#include <vector>

class LogPlayback {
public:
    // Indexes the log's board lines and games; reading starts at its first line.
    void open(const QStringList &lines);
    void close();
    bool isOpen() const { return open_; }

    // One row per game, "alice(0)  bob(2)": the names and scores of its first board.
    const QStringList &gameRows() const { return rows_; }

    struct Block {
        QString text;     // the shown lines, each followed by CR LF; may be empty
        bool end = false; // the log is read to its end
    };
    // The lines from here up to and including the next board line or double.
    Block nextBlock();

    // The board line before the one shown last, reading going on after it; empty when
    // there is none to go back to.
    QString back();
    // The first board line of the game on `row`, reading going on after it; empty for a
    // row that is not there.
    QString jump(int row);

    // Line numbers (0-based) of every board line, and of the board shown last (-1 before any).
    const std::vector<qsizetype> &boardLines() const { return boards_; }
    qsizetype currentBoard() const { return current_; }

private:
    QString showFrom(qsizetype board);

    QStringList lines_;
    std::vector<qsizetype> boards_;
    std::vector<qsizetype> games_;
    QStringList rows_;
    qsizetype next_ = 0;
    qsizetype current_ = -1;
    bool open_ = false;
};
