#include "board/CheckerRec.h"

#include "board/BoardGeometry.h"

#include <stdexcept>

namespace {
[[noreturn]] void badIndex() {
    throw std::out_of_range("Subscript out of range");
}
}  // namespace

CheckerRec &CheckerSet::operator[](int index) {
    if (index < 1 || index > size)
        badIndex();
    return records_[std::size_t(index - 1)];
}

const CheckerRec &CheckerSet::operator[](int index) const {
    if (index < 1 || index > size)
        badIndex();
    return records_[std::size_t(index - 1)];
}

int CheckerSet::countOn(int position) const {
    int n = 0;
    for (const CheckerRec &r : records_)
        n += r.point == position ? 1 : 0;
    return n;
}

int CheckerSet::firstOn(int position) const {
    for (int i = 1; i <= size; ++i)
        if ((*this)[i].point == position)
            return i;
    return 0;
}

void CheckerSet::place(int index, int position, int slot, const BoardGeometry &geometry) {
    const QPoint at = geometry.pointSlots(position, slot);  // may throw: the record stays as it was
    (*this)[index] = CheckerRec{position, slot, at.x(), at.y()};
}

void CheckerSet::fill(const std::vector<std::pair<int, int>> &groups, const BoardGeometry &geometry) {
    parkAll();
    int next = 1;
    for (const auto &[position, count] : groups)
        for (int k = 1; k <= count; ++k)
            place(next++, position, k, geometry);
}
