#pragma once

#include "toolkit/SuspendHold.h"

#include <functional>

// Holds off automatic suspend through the first of these the desktop offers: the GNOME session
// manager, the desktop portal, the freedesktop PowerManagement service (KDE Plasma, Xfce), and
// else logind on the system bus, whose idle lock lasts as long as its descriptor is open. While
// a hold is taken it also listens for logind's wake from a suspend. All of it on a thread of its
// own: a bus that is slow or hung holds up only that thread.
class DesktopSuspendHold : public SuspendHold
{
public:
    // woken runs on the window thread when the machine wakes while a hold is taken.
    explicit DesktopSuspendHold(std::function<void()> woken);
    ~DesktopSuspendHold() override;

    void hold(const QString &reason) override;
    void release() override;

private:
    class Worker;
    std::function<void()> m_woken;
    Worker *m_worker = nullptr; // made at the first hold, on its own thread
};
