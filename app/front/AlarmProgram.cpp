#include "app/front/AlarmProgram.h"

#include "toolkit/front/ActivationToken.h"
#include "toolkit/front/ProgramEnd.h"

#include <QCoreApplication>

AlarmProgram::AlarmProgram()
    : host(&window, window.icons())
    , dialogs(&window, [this] { window.render(); })
    , atm(resources, audio)
    , notifyArea(window.icons())
    // The notification's Stop is the window's Stop, and it and Snooze reach the ring behind a box
    // or a play: the daemon has taken the notification away once it was clicked.
    , ringNotice([this] { window.run(Dispatcher::Kind::FromOutside, [this] { alarm.Stopp_Click(); }); },
                 [this] { window.run(Dispatcher::Kind::FromOutside, [this] { alarm.SnoozeRing(); }); },
                 [this](const QString &token) { showWindow(token); })
    , keeper([this](const std::function<void()> &restore) { window.run(Dispatcher::Kind::FromOutside, restore); })
    // The ticks' timers stand still while the machine sleeps: at the wake they run at once.
    , suspendHold([this] { window.run(Dispatcher::Kind::Tick, [this] { alarm.Woken(); }); })
    , alarm({clock, dialogs, host, audio, atm, notifyArea, ringNotice, keeper, suspendHold,
             QCoreApplication::applicationDirPath(), [this] { programInfo.show(); }, QLocale::system(),
             [this](const std::function<bool()> &done) { dispatcher.waitWhilePlaying(done); },
             [this](const std::function<void()> &answered) { window.run(Dispatcher::Kind::Tick, answered); }})
    , dispatcher([this](const QString &message) { dialogs.messageBox(message, MsgBox::Critical); })
    , programInfo(dispatcher)
{
    window.attach(alarm, dispatcher);
    // The icon reports its mouse events as the window's mouse moves, the message's number in x.
    notifyArea.setMouseMessages([this](int message) {
        const float x = float(message * host.twipsPerPixelX());
        // The right button opens the menu that holds "Close the Alarm Program": it gets through
        // while a sound plays, as the other ways out do.
        const auto kind =
            message == NotifyArea::RightButtonDown ? Dispatcher::Kind::UrgentEvent : Dispatcher::Kind::UserEvent;
        window.run(kind, [this, x] { alarm.Form_MouseMove(0, 0, x, 0); });
    });
    // Both menus' items reach the window or leave the program: they get through while a sound
    // plays, as the window's Stop and exits do.
    const auto chosen = [this](int index) {
        window.run(Dispatcher::Kind::UrgentEvent, [this, index] { alarm.PopupItem_Click(index); });
    };
    host.setMenuChoice(chosen);
    notifyArea.setHostMenu(alarm.PopupItems(), chosen);
    // What the last act asked of the kept alarm reaches the storage before the process goes.
    atProgramEnd([this] { keeper.settle(std::chrono::seconds(2)); });
}

AlarmProgram::~AlarmProgram()
{
    alarm.Form_Terminate();
    finishProgram();
}

void AlarmProgram::start()
{
    window.run(Dispatcher::Kind::UserEvent, [this] { alarm.Form_Load(); });
    keeper.recall([this](const Alarm &kept) { alarm.RestoreAlarm(kept); });
}

void AlarmProgram::showWindow(const QString &activationToken)
{
    // Qt's Wayland platform hands the compositor the token it finds here when it activates a
    // window: only a token from the user's own act lets the window take the focus.
    useActivationToken(activationToken);
    window.run(Dispatcher::Kind::FromOutside, [this] { alarm.ShowAlarmWindow(); });
}
