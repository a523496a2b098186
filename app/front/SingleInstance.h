#pragma once

#include <QObject>
#include <QVariantMap>

#include <condition_variable>
#include <functional>
#include <mutex>

class QDBusConnection;

// One program per user session. The first start takes a well-known name on the session bus
// (the desktop id); a later start finds it taken, asks the running program to show its window,
// and ends. The running program answers as org.freedesktop.Application, which desktops use too.
// Without a session bus every start runs as its own program; a bus that does not answer at once
// (its daemon hung) does not hold up the window: the start runs as a program of its own.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    // Starts the claim on the bus's own thread; made once in a process, before anything else
    // asks for the bus.
    SingleInstance();

    // True when another program of this session runs and was asked to show its window. Waits
    // for the claim while the bus answers; not for a bus that does not.
    bool handedOver();
    // What the running program does when a later start (or the desktop) asks for it; it gets
    // the activation token of the user's act, if the start had one (Wayland).
    using Show = std::function<void(const QString &activationToken)>;
    void onActivate(Show show) { m_show = std::move(show); }

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData);

private:
    enum class Verdict { Pending, First, HandedOver };
    void claim(QDBusConnection &bus); // on the bus's thread
    void release(QDBusConnection &bus);
    void decide(Verdict verdict);

    std::mutex m_mutex;
    std::condition_variable m_decided;
    Verdict m_verdict = Verdict::Pending;
    bool m_gaveUp = false; // the window thread went on without the verdict
    Show m_show;
};
