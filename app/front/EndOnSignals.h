#pragma once

#include <functional>

// The session ends the program by a signal: SIGTERM at logout or shutdown, SIGHUP when its
// terminal goes, SIGINT at Ctrl+C. Each is turned into a call of end on the window thread, so
// the program ends the orderly way (its notification withdrawn, its icon removed, the bus
// flushed) rather than leaving a notification whose Stop nobody answers.
void endOnSignals(std::function<void()> end);
