#pragma once

#include <functional>

// What must be done however the program ends: closing the window or a signal ends it through
// the destructors, the exit commands at once without them.
void atProgramEnd(std::function<void()> step);
// Runs those steps, once each and in their order, then sends what was asked of the session bus.
void finishProgram();
