#pragma once

// Sends what the program has asked of the session bus so far (a notification's withdrawal, the
// icon leaving its host), for a program about to end: messages go out from the bus's own
// thread, and a call to the bus itself is answered only after them.
void flushSessionBus();
