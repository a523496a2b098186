#pragma once

#include "FakeClock.h"
#include "FakeWindowHost.h"
#include "ScriptedDialogs.h"
#include "alarm/AlarmMain.h"

// The alarm window's logic with fake surroundings, as every alarm test needs it.
struct AlarmHarness
{
    explicit AlarmHarness(QDateTime start, QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates));

    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeWindowHost window;
    AlarmMain alarm;
};
