#include "app/front/EndOnSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalled[2] = {-1, -1}; // written by the handler, read on the window thread

void onSignal(int)
{
    // All a handler may safely do: hand the news over.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalled[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

void endOnSignals(std::function<void()> end)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalled) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalled[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [end = std::move(end)] {
        char bytes[16];
        while (::read(signalled[1], bytes, sizeof bytes) > 0) { }
        end();
    });
    struct sigaction action = {};
    action.sa_handler = &onSignal;
    sigemptyset(&action.sa_mask);
    // A second signal ends the program at once, should the window thread be held up somewhere.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction before = {};
        // A signal ignored when the program started (nohup) stays ignored.
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}
