#include "toolkit/Dispatcher.h"

#include "toolkit/UserError.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <exception>

Dispatcher::Dispatcher(ErrorSink showError)
    : m_showError(std::move(showError))
{
}

bool Dispatcher::run(Kind kind, const Handler &handler, const void *source)
{
    // Qt's modal boxes run the event loop, so events arrive while a handler waits in one.
    // Handlers never nest, except the ticks (an armed alarm rings at its time behind any box:
    // no handler leaves the alarm half-written while it waits in one), and, while a sound plays
    // to its end, the events that stop it or leave.
    if (busy() && kind != Kind::OwnControlTick && kind != Kind::FromOutside) {
        if (kind == Kind::UserEvent || (kind == Kind::UrgentEvent && m_playing == 0))
            return false;
        if (kind == Kind::Tick && m_playing > 0) {
            const bool held = std::any_of(m_heldTicks.begin(), m_heldTicks.end(),
                                          [&](const HeldTick &t) { return source && t.source == source; });
            if (!held)
                m_heldTicks.push_back({source, handler});
            return false;
        }
    }

    QString error;
    ++m_depth;
    try {
        handler();
    } catch (const UserError &e) {
        error = e.message();
    } catch (const std::exception &e) {
        error = QStringLiteral("The action could not be completed: %1").arg(QString::fromUtf8(e.what()));
    } catch (...) {
        error = QStringLiteral("The action could not be completed because of an unexpected error.");
    }
    // A tick that fails ends silently: a box every half second would bury the window.
    const bool click = kind == Kind::UserEvent || kind == Kind::UrgentEvent;
    if (!error.isEmpty() && click && m_showError) {
        try {
            m_showError(error);
        } catch (...) {
        }
    }
    --m_depth;
    // The ticks held through a play run once it has ended, behind a box the play sat in too.
    if (m_playing == 0 && !m_heldTicks.empty())
        runHeldTicks();
    return true;
}

void Dispatcher::runHeldTicks()
{
    std::vector<HeldTick> held;
    held.swap(m_heldTicks);
    for (const HeldTick &tick : held)
        run(Kind::Tick, tick.handler, tick.source);
}

void Dispatcher::waitWhilePlaying(const std::function<bool()> &done)
{
    if (done())
        return;
    ++m_playing;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start();
    // Also returns when the application quits (the window's frame closed).
    loop.exec();
    --m_playing;
}
