#include "records/LogPlayback.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace {

const QString kBoard = QStringLiteral("board:");

// The first pieces of a line cut at blanks, colons and periods, empty pieces dropped.
QVarLengthArray<QStringView, 9> firstPieces(QStringView line) {
    QVarLengthArray<QStringView, 9> pieces;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= line.size() && pieces.size() < 9; ++i) {
        const bool cut = i == line.size() || line[i] == u' ' || line[i] == u':' || line[i] == u'.';
        if (cut && start >= 0) {
            pieces.append(line.mid(start, i - start));
            start = -1;
        } else if (!cut && start < 0) {
            start = i;
        }
    }
    return pieces;
}

// Lines that move the board or say so; the rest of the log is not shown again.
bool isShown(const QString &line) {
    static const std::array<QString, 8> kinds = {
        QStringLiteral(" rolls "),  QStringLiteral("Bearing"), kBoard,                   QStringLiteral(" roll "),
        QStringLiteral(" doubles."), QStringLiteral("double."), QStringLiteral(" moves "), QStringLiteral(" move ")};
    if (line.size() <= 2)
        return false;
    for (const QString &kind : kinds)
        if (line.contains(kind))
            return true;
    return false;
}

bool endsStep(const QString &line) {
    return line.contains(kBoard) || line.contains(QLatin1String(" doubles.")) ||
           line.contains(QLatin1String(" double."));
}

}  // namespace

void LogPlayback::open(const QStringList &lines) {
    close();
    lines_ = lines;
    open_ = true;
    int lastFirst = -1, lastSecond = -1;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString &line = lines_.at(i);
        if (!line.contains(kBoard))
            continue;
        boards_.push_back(i);
        const auto pieces = firstPieces(line);
        if (pieces.size() < 9)
            continue;
        // A score that is no number starts no game; the lines after it are still read.
        bool ok1 = false, ok2 = false;
        const int first = pieces[4].toInt(&ok1);
        const int second = pieces[5].toInt(&ok2);
        if (!ok1 || !ok2 || (first == lastFirst && second == lastSecond))
            continue;
        lastFirst = first;
        lastSecond = second;
        games_.push_back(i);
        rows_ << pieces[1].toString() + QLatin1Char('(') + pieces[4].toString() + QStringLiteral(")  ") +
                     pieces[2].toString() + QLatin1Char('(') + pieces[5].toString() + QLatin1Char(')');
    }
}

void LogPlayback::close() {
    lines_.clear();
    boards_.clear();
    games_.clear();
    rows_.clear();
    next_ = 0;
    current_ = -1;
    open_ = false;
}

LogPlayback::Block LogPlayback::nextBlock() {
    Block block;
    while (open_ && next_ < lines_.size()) {
        const QString &line = lines_.at(next_);
        if (line.contains(kBoard))
            current_ = next_;
        ++next_;
        if (!isShown(line))
            continue;
        block.text += line + QStringLiteral("\r\n");
        if (endsStep(line))
            return block;
    }
    block.end = true;
    return block;
}

QString LogPlayback::back() {
    if (!open_ || boards_.empty())
        return {};
    if (current_ < 0)
        current_ = boards_.back();
    const auto at = std::find(boards_.begin(), boards_.end(), current_);
    // At the first board there is nothing before it.
    if (at == boards_.end() || at == boards_.begin())
        return {};
    current_ = *(at - 1);
    return showFrom(current_);
}

QString LogPlayback::jump(int row) {
    if (!open_ || row < 0 || row >= int(games_.size()))
        return {};
    current_ = games_[std::size_t(row)];
    return showFrom(current_);
}

// With three boards or fewer a step back or a jump only moves the mark; reading goes on
// where it was.
QString LogPlayback::showFrom(qsizetype board) {
    if (boards_.size() <= 3)
        return {};
    next_ = board + 1;
    return lines_.at(board);
}
