#include "app/ProgramExit.h"

namespace {
enum class Stage { Running, Begun, Kept };
Stage stage = Stage::Running;
}  // namespace

void ProgramExit::begin() {
    if (stage == Stage::Running)
        stage = Stage::Begun;
}

bool ProgramExit::begun() {
    return stage != Stage::Running;
}

void ProgramExit::markKept() {
    stage = Stage::Kept;
}

bool ProgramExit::kept() {
    return stage == Stage::Kept;
}

void ProgramExit::reset() {
    stage = Stage::Running;
}
