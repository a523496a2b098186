#include "toolkit/Dispatcher.h"

#include "toolkit/UserError.h"

#include <exception>

Dispatcher::Dispatcher(ErrorSink showError, Handler afterHandler)
    : m_showError(std::move(showError))
    , m_afterHandler(std::move(afterHandler))
{
}

void Dispatcher::run(Kind kind, const Handler &handler)
{
    // Qt's modal boxes run the event loop, so events arrive while a handler waits in one.
    // Handlers never nest, except the ticks that touch nothing a waiting handler uses.
    if (busy() && kind != Kind::OwnControlTick)
        return;

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
    if (!error.isEmpty() && kind == Kind::UserEvent && m_showError) {
        try {
            m_showError(error);
        } catch (...) {
        }
    }
    --m_depth;
    // The clock keeps running behind a modal box, so its tick refreshes the view even then.
    if (m_afterHandler && (!busy() || kind == Kind::OwnControlTick))
        m_afterHandler();
}
