#pragma once

// The whole program as main() runs it: the alarm window, its logic and every real service,
// wired together. Window tests build the same thing.
#include "alarm/AlarmMain.h"
#include "alarm/front/DesktopRingNotice.h"
#include "alarm/front/AlarmWindow.h"
#include "alarm/front/KeptAlarmFile.h"
#include "info/front/InfoWindow.h"
#include "sound/Resources.h"
#include "sound/front/SdlAudioOut.h"
#include "sound/modATM.h"
#include "toolkit/Clock.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/front/DesktopSuspendHold.h"
#include "toolkit/front/QtDialogs.h"
#include "toolkit/front/SessionBus.h"
#include "toolkit/front/QtWindowHost.h"
#include "tray/front/QtNotifyArea.h"

class AlarmProgram
{
public:
    AlarmProgram();
    ~AlarmProgram();

    // Runs start-up: the window loads and shows itself, and takes up the alarm an earlier run
    // kept, if any.
    void start();
    // Puts the window on the screen as the user asked from outside it (the ring's notification,
    // a second start of the program), with the activation token of that act, if any.
    void showWindow(const QString &activationToken);

    AlarmWindow window;
    QtWindowHost host;
    QtDialogs dialogs;
    SystemClock clock;
    SdlAudioOut audio;
    EmbeddedResources resources;
    modATM atm;
    QtNotifyArea notifyArea;
    DesktopRingNotice ringNotice;
    KeptAlarmFile keeper;
    DesktopSuspendHold suspendHold;
    AlarmMain alarm;
    Dispatcher dispatcher;
    ProgramInfo programInfo;
};
