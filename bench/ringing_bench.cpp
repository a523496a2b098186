// The cost of one countdown tick while the alarm rings, with the view's refresh after it:
// the tone restarts, the reminder flashes, the window is shown, the widgets are brought up to date.
#include "RealAlarmWindow.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

static void RingingTickAndRefresh(benchmark::State &state)
{
    // Kept to the end: the window cannot outlive the application object at exit.
    static RealAlarmWindow &w = *new RealAlarmWindow;
    AlarmMain &a = w.alarm;
    a.state.alarmArmed = FlagTrue;
    a.state.counters.set = 0;
    a.state.counters.passed = 0;
    a.Timer3.interval = TickMs;
    runEventsUntil(100);
    for (auto _ : state)
        w.window.run(Dispatcher::Kind::Tick, [&a] { a.Timer3_Timer(); });
    state.counters["tones"] = double(w.atm.soundBytes.size());
}
BENCHMARK(RingingTickAndRefresh)->Unit(benchmark::kMicrosecond);

static void CountingTickAndRefresh(benchmark::State &state)
{
    static RealAlarmWindow &w = *new RealAlarmWindow;
    AlarmMain &a = w.alarm;
    a.state.alarmArmed = FlagTrue;
    a.state.alarm.armedAtMoment = w.clock.now().toSecsSinceEpoch();
    a.state.counters.set = 100000;
    a.Timer3.interval = TickMs;
    runEventsUntil(100);
    for (auto _ : state) {
        w.window.run(Dispatcher::Kind::Tick, [&a] { a.Timer1_Timer(); });
        w.window.run(Dispatcher::Kind::Tick, [&a] { a.Timer3_Timer(); });
    }
}
BENCHMARK(CountingTickAndRefresh)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The offscreen platform cannot raise a window and says so at every ring.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
