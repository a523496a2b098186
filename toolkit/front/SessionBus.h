#pragma once

#include <QDBusConnection>

#include <chrono>
#include <functional>

class QObject;

// The session bus as the window thread may use it. Connecting to a bus whose daemon is frozen
// waits for as long as it stays so, and every use of the bus meanwhile waits on that connection:
// the bus is connected on a thread of its own, and the window thread touches it only once the
// connection is made (a call may still go unanswered; none of ours waits for its answer).
namespace SessionBus {

// Starts connecting, unless started already. onBusThread, if given to the first call, runs on
// the connecting thread with the bus (connected, or not if there is none), before the bus is
// announced.
void connect(std::function<void(QDBusConnection &bus)> onBusThread = {});
// Connected: the window thread may use it.
bool ready();
// Waits at most that long for the bus's daemon to answer a client (it does in a millisecond
// unless it is stopped or hung); true if it has.
bool answers(std::chrono::milliseconds within);
// Before the first window is made: a bus that has not answered by then must not hold it up.
void beforeWindows();
// Runs then on the window thread once the connection is made or has failed (at once if that is
// known already, starting the connection if it is not started); ready() tells which. Not run if
// context has gone by then.
void whenSettled(QObject *context, std::function<void()> then);

} // namespace SessionBus

// Sends what the program has asked of the session bus so far (a notification's withdrawal, the
// icon leaving its host), for a program about to end: messages go out from the bus's own
// thread, and a call to the bus itself is answered only after them. Waits half a second at most.
void flushSessionBus();
