#include "alarm/AlarmMain.h"
#include "alarm/AlarmWindow.h"
#include "sound/Resources.h"
#include "sound/SdlAudioOut.h"
#include "sound/modATM.h"
#include "tray/QtNotifyArea.h"
#include "toolkit/AppInfo.h"
#include "toolkit/Clock.h"
#include "toolkit/Dispatcher.h"
#include "toolkit/QtDialogs.h"
#include "toolkit/QtWindowHost.h"

#include <QApplication>
#include <cstdio>

namespace {

// Qt aborts with a page of advice when there is no display; one line says it better.
bool displayAvailable()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s needs a graphical display, and none was found (DISPLAY is not set).\n",
                     AppInfo::Title);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(AppInfo::Title));
    QApplication::setApplicationVersion(QString::fromLatin1(AppInfo::Version));
    QApplication::setOrganizationName(QString::fromLatin1(AppInfo::Organisation));
    QApplication::setDesktopFileName(QString::fromLatin1(AppInfo::DesktopId));
    // The window hides while an alarm waits; only the exit commands or closing it end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    AlarmWindow window;
    QtWindowHost host(&window, &AlarmWindow::iconFor);
    QtDialogs dialogs(&window, [&window] { window.render(); });
    SystemClock clock;
    SdlAudioOut audio;
    EmbeddedResources resources;
    modATM atm(resources, audio);
    QtNotifyArea notifyArea(&AlarmWindow::iconFor);
    AlarmMain alarm({clock, dialogs, host, audio, atm, notifyArea, QLocale::system()});
    Dispatcher dispatcher([&dialogs](const QString &message) { dialogs.messageBox(message, MsgBox::Critical); },
                          [&window] { window.render(); });
    window.attach(alarm, dispatcher);

    dispatcher.run(Dispatcher::Kind::UserEvent, [&alarm] { alarm.Form_Load(); });
    return app.exec();
}
