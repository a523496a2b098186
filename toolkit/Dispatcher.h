#pragma once

#include <QString>
#include <functional>
#include <vector>

// Every user event and timer tick reaches its handler through here, one at a time, as on a
// desktop whose window thread runs one handler to its end before the next.
class Dispatcher
{
public:
    enum class Kind {
        UserEvent,      // a click or key: errors that escape are shown to the user
        UrgentEvent,    // Stop, the ways out, the icon's menu and the information window: like a
                        // click, and it also gets through while a sound plays
        Tick,           // a countdown tick: runs behind an open box, held while a sound plays to its end
        OwnControlTick, // a tick that touches only its own controls (clock, blink): runs even then
        FromOutside     // asked from outside the window (the desktop's notification, a second
                        // start): runs whatever is open, as the user could not click behind it;
                        // its errors end it silently
    };

    using Handler = std::function<void()>;
    using ErrorSink = std::function<void(const QString &message)>;

    // showError shows a message in an error box.
    explicit Dispatcher(ErrorSink showError);

    // source names the timer a tick comes from: ticks held during a play run once each after it.
    // True when the handler ran (not dropped or held): the caller's window is to show its work.
    bool run(Kind kind, const Handler &handler, const void *source = nullptr);
    bool busy() const { return m_depth > 0; }

    // Runs the event loop until done() holds, for a handler that waits on a sound playing to its
    // end: the window keeps painting, urgent events run at once, other user events are dropped,
    // and the ticks that fall due run once each when the playing handler has ended.
    void waitWhilePlaying(const std::function<bool()> &done);

private:
    void runHeldTicks();

    ErrorSink m_showError;
    int m_depth = 0;
    int m_playing = 0;
    struct HeldTick
    {
        const void *source;
        Handler handler;
    };
    std::vector<HeldTick> m_heldTicks;
};
