#include "toolkit/Dispatcher.h"
#include "toolkit/UserError.h"

#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct Harness
{
    QStringList errors;
    int refreshes = 0;
    Dispatcher dispatcher{[this](const QString &m) { errors << m; }};

    // As a window runs its events: it shows what a handler did whenever one ran.
    void run(Dispatcher::Kind kind, const Dispatcher::Handler &handler, const void *source = nullptr)
    {
        if (dispatcher.run(kind, handler, source))
            ++refreshes;
    }
};

// An application object, for the tests whose waits run Qt's event loop.
struct EventLoop
{
    int argc = 1;
    char name[11] = "dispatcher";
    char *argv[1] = {name};
    QCoreApplication app{argc, argv};
};

} // namespace

TEST(Dispatcher, TicksRunBehindAModalBoxWhileClicksAndTheWaysOutWait)
{
    Harness h;
    ScriptedDialogs dialogs;
    int countdownTicks = 0;
    int clockTicks = 0;
    int clicksWhileOpen = 0;
    int fromOutside = 0; // the notification's Stop: it reaches the ring behind the box
    dialogs.whileOpen = [&] {
        h.run(Dispatcher::Kind::Tick, [&] { ++countdownTicks; });
        h.run(Dispatcher::Kind::OwnControlTick, [&] { ++clockTicks; });
        h.run(Dispatcher::Kind::UserEvent, [&] { ++clicksWhileOpen; });
        h.run(Dispatcher::Kind::UrgentEvent, [&] { ++clicksWhileOpen; });
        h.run(Dispatcher::Kind::FromOutside, [&] { ++fromOutside; });
        h.run(Dispatcher::Kind::FromOutside, [&] { throw UserError(QStringLiteral("not shown")); });
    };
    dialogs.messageAnswers = {MsgBox::Yes};

    int answer = 0;
    h.run(Dispatcher::Kind::UserEvent,
          [&] { answer = dialogs.messageBox(QStringLiteral("Sure?"), MsgBox::YesNoCancel | MsgBox::Information); });

    EXPECT_EQ(answer, MsgBox::Yes);
    EXPECT_EQ(countdownTicks, 1) << "an alarm due behind the box would not ring";
    EXPECT_EQ(clockTicks, 1);
    EXPECT_EQ(clicksWhileOpen, 0);
    EXPECT_EQ(fromOutside, 1);
    EXPECT_TRUE(h.errors.isEmpty()) << "an error from outside the window was shown";
    // Both ticks and both asks from outside refreshed the view behind the box, and the click
    // refreshed it at its end.
    EXPECT_EQ(h.refreshes, 5);
    EXPECT_FALSE(h.dispatcher.busy());

    // The error box a click ends in is such a box too.
    int ticksBehindError = 0;
    Dispatcher *self = nullptr;
    Dispatcher withErrors([&](const QString &) { self->run(Dispatcher::Kind::Tick, [&] { ++ticksBehindError; }); });
    self = &withErrors;
    withErrors.run(Dispatcher::Kind::UserEvent, [] { throw UserError(QStringLiteral("no")); });
    EXPECT_EQ(ticksBehindError, 1);
}

TEST(Dispatcher, AnErrorEscapingAClickIsShownAndTheProgramGoesOn)
{
    Harness h;
    h.run(Dispatcher::Kind::UserEvent,
          [] { throw UserError(QStringLiteral("The hours box of the duration: \"x\" is not a number.")); });
    h.run(Dispatcher::Kind::UserEvent, [] { throw std::runtime_error("disk on fire"); });
    h.run(Dispatcher::Kind::UserEvent, [] { throw 42; });

    ASSERT_EQ(h.errors.size(), 3);
    EXPECT_EQ(h.errors[0], QStringLiteral("The hours box of the duration: \"x\" is not a number."));
    EXPECT_EQ(h.errors[1], QStringLiteral("The action could not be completed: disk on fire"));
    EXPECT_FALSE(h.errors[2].isEmpty());
    EXPECT_EQ(h.refreshes, 3);

    bool ran = false;
    h.run(Dispatcher::Kind::UserEvent, [&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(Dispatcher, AnErrorInATickEndsThatTickSilently)
{
    Harness h;
    h.run(Dispatcher::Kind::Tick, [] { throw UserError(QStringLiteral("tick")); });
    h.run(Dispatcher::Kind::OwnControlTick, [] { throw std::runtime_error("blink"); });
    EXPECT_TRUE(h.errors.isEmpty());
    EXPECT_EQ(h.refreshes, 2);

    int ticks = 0;
    h.run(Dispatcher::Kind::Tick, [&] { ++ticks; });
    EXPECT_EQ(ticks, 1);
}

TEST(Dispatcher, WhileASoundPlaysOnlyStopAndTheExitsGetThroughAndHeldTicksRunOnceAfter)
{
    EventLoop loop;
    Harness h;
    const int countdown = 0, clock = 0; // two timers, as sources
    QStringList ran;
    bool stopped = false;
    int refreshesAtStop = -1;
    // While the handler waits on the play, the event loop delivers what the user and the timers do.
    QTimer::singleShot(20, [&] {
        for (int i = 0; i < 3; ++i) {
            h.run(
                Dispatcher::Kind::Tick, [&] { ran << QStringLiteral("countdown"); }, &countdown);
            h.run(
                Dispatcher::Kind::Tick, [&] { ran << QStringLiteral("clock"); }, &clock);
        }
        h.run(Dispatcher::Kind::OwnControlTick, [&] { ran << QStringLiteral("blink"); });
        h.run(Dispatcher::Kind::UserEvent, [&] { ran << QStringLiteral("OK"); });
        h.run(Dispatcher::Kind::UrgentEvent, [&] {
            ran << QStringLiteral("Stop");
            stopped = true;
        });
        refreshesAtStop = h.refreshes;
    });
    QTimer::singleShot(3000, &loop.app, [&] { stopped = true; }); // guard: the wait must not hang
    h.run(
        Dispatcher::Kind::Tick,
        [&] {
            ran << QStringLiteral("play");
            h.dispatcher.waitWhilePlaying([&] { return stopped; });
            ran << QStringLiteral("played");
        },
        &countdown);

    EXPECT_EQ(ran,
              (QStringList{QStringLiteral("play"), QStringLiteral("blink"), QStringLiteral("Stop"),
                           QStringLiteral("played"), QStringLiteral("countdown"), QStringLiteral("clock")}))
        << "a click other than Stop ran, a tick ran during the play, or a held tick ran more than once";
    EXPECT_GE(refreshesAtStop, 2) << "the window was not refreshed after the blink and after Stop";
    EXPECT_TRUE(h.errors.isEmpty());
}

TEST(Dispatcher, TicksHeldThroughAPlayBehindABoxRunWhenThePlayEndsNotWhenTheBoxCloses)
{
    EventLoop loop;
    Harness h;
    ScriptedDialogs dialogs;
    const int countdown = 0, passed = 0;
    QStringList ran;
    bool played = false;
    QTimer::singleShot(20, [&] {
        h.run(
            Dispatcher::Kind::Tick, [&] { ran << QStringLiteral("passed"); }, &passed);
        played = true;
    });
    QTimer::singleShot(3000, &loop.app, [&] { played = true; }); // guard: the wait must not hang
    dialogs.whileOpen = [&] {
        h.run(
            Dispatcher::Kind::Tick,
            [&] {
                ran << QStringLiteral("ring");
                h.dispatcher.waitWhilePlaying([&] { return played; });
            },
            &countdown);
        ran << QStringLiteral("box still open");
    };
    h.run(Dispatcher::Kind::UserEvent,
          [&] { dialogs.messageBox(QStringLiteral("Sure?"), MsgBox::YesNoCancel | MsgBox::Information); });
    EXPECT_EQ(ran, (QStringList{QStringLiteral("ring"), QStringLiteral("passed"), QStringLiteral("box still open")}));
}
