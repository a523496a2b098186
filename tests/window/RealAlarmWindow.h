#pragma once

// The alarm window as the program builds it, with every real service, for window tests.
#include "alarm/AlarmMain.h"
#include "alarm/AlarmWindow.h"
#include "sound/Resources.h"
#include "sound/SdlAudioOut.h"
#include "sound/modATM.h"
#include "toolkit/Clock.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/QtDialogs.h"
#include "toolkit/QtWindowHost.h"
#include "tray/QtNotifyArea.h"

#include <QString>
#include <functional>

struct RealAlarmWindow
{
    RealAlarmWindow();

    template<typename W = QWidget>
    W *widget(const char *name)
    {
        return window.template findChild<W *>(QString::fromLatin1(name));
    }

    AlarmWindow window;
    QtWindowHost host;
    QtDialogs dialogs;
    SystemClock clock;
    SdlAudioOut audio;
    EmbeddedResources resources;
    modATM atm;
    QtNotifyArea notifyArea;
    AlarmMain alarm;
    Dispatcher dispatcher;
};

// Runs the event loop for ms milliseconds, or until done() holds; true if it did.
bool runEventsUntil(int ms, const std::function<bool()> &done = {});
QString screenshotPath(const char *name);
// A real click by the X server's pointer on the middle of a widget.
void clickWithMouse(QWidget *widget, int button = 1);
