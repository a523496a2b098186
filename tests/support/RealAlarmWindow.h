#pragma once

// The program as main() builds it, for window tests, with helpers to drive it by real input.
#include "app/front/AlarmProgram.h"

#include <QString>
#include <functional>
#include <optional>

struct RealAlarmWindow : AlarmProgram
{
    RealAlarmWindow();
    // Each test starts afresh: what it left armed is not kept for the next one's start.
    ~RealAlarmWindow() { alarm.Form_Unload(); }

    template<typename W = QWidget>
    W *widget(const char *name)
    {
        return window.template findChild<W *>(QString::fromLatin1(name));
    }
};

// Runs the event loop for ms milliseconds, or until done() holds; true if it did.
bool runEventsUntil(int ms, const std::function<bool()> &done = {});
// The notification area's answer to whether the icon shows, waited for in the event loop a
// second at most: nothing when it did not answer.
std::optional<bool> iconShown(RealAlarmWindow &w);
QString screenshotPath(const char *name);
// A real click by the X server's pointer on the middle of a widget.
void clickWithMouse(QWidget *widget, int button = 1);
void xdotool(const QStringList &args);

// What the X server and the window manager hold about a window, not Qt's own flags: its ICCCM
// state ("Normal", "Iconic", "Withdrawn", or empty before it was first mapped) and whether it
// is viewable on screen.
QString wmState(const QWidget *window);
bool viewable(const QWidget *window);

// Arms the alarm as a user does: the seconds typed into the duration's seconds box by real
// keys, a real click on OK, and the summary answered Yes by its Return key. True once armed.
bool armByRealInput(RealAlarmWindow &w, int seconds);

// What SDL's disk driver wrote to path (44.1 kHz, 16-bit stereo): the seconds that sound,
// and the moment of the last sound from the start of the output (-1 when all is silence).
double soundSeconds(const QString &path);
double lastSoundAt(const QString &path);
