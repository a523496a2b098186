#pragma once

#include "FakeAudioOut.h"
#include "FakeClock.h"
#include "FakeWindowHost.h"
#include "ScriptedDialogs.h"
#include "alarm/AlarmMain.h"
#include "sound/Resources.h"
#include "sound/modATM.h"

// The alarm window's logic with fake surroundings, as every alarm test needs it.
struct AlarmHarness
{
    explicit AlarmHarness(QDateTime start, QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates));

    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeWindowHost window;
    FakeAudioOut audio;
    EmbeddedResources resources;
    modATM atm{resources, audio};
    AlarmMain alarm;
};
