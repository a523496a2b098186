#include "app/AlarmProgram.h"

#include <QCoreApplication>

AlarmProgram::AlarmProgram()
    : host(&window, &AlarmWindow::iconFor)
    , dialogs(&window, [this] { window.render(); })
    , atm(resources, audio)
    , notifyArea(&AlarmWindow::iconFor)
    , alarm({clock, dialogs, host, audio, atm, notifyArea, QLocale::system()})
    , dispatcher([this](const QString &message) { dialogs.messageBox(message, MsgBox::Critical); },
                 [this] { window.render(); })
{
    window.attach(alarm, dispatcher);
}

AlarmProgram::~AlarmProgram() = default;

void AlarmProgram::start()
{
    dispatcher.run(Dispatcher::Kind::UserEvent, [this] { alarm.Form_Load(); });
}
