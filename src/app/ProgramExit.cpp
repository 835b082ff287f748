#include "app/ProgramExit.h"

namespace {
enum class Stage { Running, ReadingOut, Keeping, Kept };
Stage stage = Stage::Running;
}  // namespace

void ProgramExit::begin() {
    if (stage == Stage::Running)
        stage = Stage::ReadingOut;
}

bool ProgramExit::begun() {
    return stage != Stage::Running;
}

void ProgramExit::markKeeping() {
    stage = Stage::Keeping;
}

void ProgramExit::markKept() {
    stage = Stage::Kept;
}

bool ProgramExit::kept() {
    return stage == Stage::Kept;
}

bool ProgramExit::boxesAnsweredAtOnce() {
    return stage == Stage::ReadingOut || stage == Stage::Kept;
}

void ProgramExit::reset() {
    stage = Stage::Running;
}
