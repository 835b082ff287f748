#pragma once
// A process of the test program in which the tests' main sets nothing up beyond the
// application itself: where a test checks what the program sets up at its own start.
namespace BareProcess {

// True in such a process.
bool inside();

// Outside: runs the current test again in a bare process, as a child of the test program,
// and fails with the child's output when it fails. The body returns after it.
void runCurrentTestInside();

}  // namespace BareProcess
