#pragma once

#include <QObject>
#include <QVariantMap>
#include <functional>

// One program per user session. The first start takes a well-known name on the session bus
// (the desktop id); a later start finds it taken, asks the running program to show its window,
// and ends. The running program answers as org.freedesktop.Application, which desktops use too.
// Without a session bus every start runs as its own program.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    SingleInstance();

    // True when another program of this session runs and was asked to show its window.
    bool handedOver() const { return m_handedOver; }
    // What the running program does when a later start (or the desktop) asks for it; it gets
    // the activation token of the user's act, if the start had one (Wayland).
    using Show = std::function<void(const QString &activationToken)>;
    void onActivate(Show show) { m_show = std::move(show); }

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData);

private:
    bool m_handedOver = false;
    Show m_show;
};
