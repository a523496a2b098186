#include "toolkit/front/SessionBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QPointer>

#include <atomic>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// The session bus in the user's runtime folder, where the bus library looks without an address.
QByteArray runtimeBus()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QByteArray() : runtime + "/bus";
}

// The socket of the first address of DBUS_SESSION_BUS_ADDRESS that names a local socket
// ("unix:path=…", "unix:abstract=…", percent-escaped as the bus escapes them, or
// "unix:runtime=yes"); without an address, the runtime folder's; nothing for other kinds.
std::optional<sockaddr_un> localSocket()
{
    QByteArray addresses = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (addresses.isEmpty())
        addresses = "unix:runtime=yes";
    for (const QByteArray &address : addresses.split(';')) {
        if (!address.startsWith("unix:"))
            continue;
        for (const QByteArray &pair : address.mid(5).split(',')) {
            const bool abstract = pair.startsWith("abstract=");
            QByteArray path;
            if (pair == "runtime=yes")
                path = runtimeBus();
            else if (abstract || pair.startsWith("path="))
                path = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
            else
                continue;
            sockaddr_un socket = {};
            socket.sun_family = AF_UNIX;
            if (path.isEmpty() || std::size_t(path.size()) + 1 >= sizeof socket.sun_path)
                return std::nullopt;
            std::memcpy(socket.sun_path + (abstract ? 1 : 0), path.constData(), std::size_t(path.size()));
            return socket;
        }
    }
    return std::nullopt;
}

// Waits, for as long as it takes, until the bus daemon answers a client: Qt's own connection
// gives up on a daemon that is stopped (after 25 s) and never tries again, so it is made only
// once the daemon is known to answer. A daemon that is not there at all is known at once.
// False when the address is of a kind this cannot try: then only Qt's connection finds out.
bool waitUntilTheDaemonAnswers()
{
    const std::optional<sockaddr_un> address = localSocket();
    if (!address)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const socklen_t length = address->sun_path[0]
        ? sizeof *address
        : socklen_t(offsetof(sockaddr_un, sun_path) + 1 + std::strlen(address->sun_path + 1));
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&*address), length) == 0) {
        // The start of the bus's handshake; any reply at all means the daemon is at work.
        const QByteArray hello =
            QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(::getuid()).toHex() + "\r\n";
        char reply[64];
        if (::write(fd, hello.constData(), std::size_t(hello.size())) == hello.size()) [[maybe_unused]]
            const ssize_t n = ::read(fd, reply, sizeof reply);
    }
    ::close(fd);
    return true;
}

struct Waiting
{
    QPointer<QObject> context;
    std::function<void()> then;
};

std::mutex mutex;
std::condition_variable answered;
bool started = false;
bool daemonAnswered = false;
bool settled = false;
std::atomic<bool> connected{false};
std::vector<Waiting> waiting; // made and read on the window thread, moved across under the mutex

void settle(bool isConnected)
{
    // Handed over whole: the window thread's pointers are neither copied nor read here.
    auto due = std::make_shared<std::vector<Waiting>>();
    {
        std::lock_guard lock(mutex);
        connected = isConnected;
        settled = true;
        answered.notify_all();
        due->swap(waiting);
    }
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app,
            [due] {
                for (const Waiting &w : *due)
                    if (w.context)
                        w.then();
            },
            Qt::QueuedConnection);
}

} // namespace

void SessionBus::connect(std::function<void(QDBusConnection &bus)> onBusThread)
{
    {
        std::lock_guard lock(mutex);
        if (started)
            return;
        started = true;
    }
    // Left to end on its own: a bus that never answers holds this thread alone.
    std::thread([onBusThread = std::move(onBusThread)] {
        if (waitUntilTheDaemonAnswers()) {
            std::lock_guard lock(mutex);
            daemonAnswered = true;
            answered.notify_all();
        }
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (onBusThread)
            onBusThread(bus);
        settle(bus.isConnected());
    }).detach();
}

bool SessionBus::ready()
{
    return connected;
}

bool SessionBus::answers(std::chrono::milliseconds within)
{
    connect();
    std::unique_lock lock(mutex);
    return answered.wait_for(lock, within, [] { return daemonAnswered || settled; });
}

void SessionBus::beforeWindows()
{
    {
        // A daemon that answered lets Qt's connection through in moments.
        std::lock_guard lock(mutex);
        if (daemonAnswered || settled)
            return;
    }
    // Qt's accessibility bridge, made with the first window, asks the session bus for the
    // accessibility bus and waits for the answer. Pointed at a bus that is not there, it gives
    // up at once: this run goes without a screen reader's view rather than without a window.
    if (!qEnvironmentVariableIsSet("AT_SPI_BUS_ADDRESS"))
        qputenv("AT_SPI_BUS_ADDRESS", "unix:path=/nonexistent/bus-not-answering");
}

void SessionBus::whenSettled(QObject *context, std::function<void()> then)
{
    connect();
    {
        std::lock_guard lock(mutex);
        if (!settled) {
            waiting.push_back({context, std::move(then)});
            return;
        }
    }
    then();
}

void flushSessionBus()
{
    if (!SessionBus::ready())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString dbus = QStringLiteral("org.freedesktop.DBus");
    bus.call(QDBusMessage::createMethodCall(dbus, QStringLiteral("/org/freedesktop/DBus"), dbus,
                                            QStringLiteral("GetId")),
             QDBus::Block, 500);
}
