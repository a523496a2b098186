#pragma once

#include <QString>
#include <functional>

// Every user event and timer tick reaches its handler through here, one at a time, as on a
// desktop whose window thread runs one handler to its end before the next.
class Dispatcher
{
public:
    enum class Kind {
        UserEvent,    // a click or key: errors that escape are shown to the user
        Tick,         // a countdown tick: dropped while another handler waits in a modal box
        OwnControlTick // a tick that touches only its own controls (clock, blink): runs even then
    };

    using Handler = std::function<void()>;
    using ErrorSink = std::function<void(const QString &message)>;

    // showError shows a message in an error box; afterHandler refreshes the view.
    Dispatcher(ErrorSink showError, Handler afterHandler);

    void run(Kind kind, const Handler &handler);
    bool busy() const { return m_depth > 0; }

private:
    ErrorSink m_showError;
    Handler m_afterHandler;
    int m_depth = 0;
};
