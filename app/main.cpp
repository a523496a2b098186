#include "app/front/AlarmProgram.h"
#include "app/front/EndOnSignals.h"
#include "app/front/SingleInstance.h"
#include "toolkit/AppInfo.h"
#include "toolkit/front/SessionBus.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

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

#ifdef __GLIBC__
    // One heap for every thread: the few the program has mostly wait, and what a sound's threads
    // used goes back to the system once quiet; a heap of their own would keep its top for hours.
    mallopt(M_ARENA_MAX, 1);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(AppInfo::Title));
    QApplication::setApplicationVersion(QString::fromLatin1(AppInfo::VersionShown));
    QApplication::setOrganizationName(QString::fromLatin1(AppInfo::Organisation));
    QApplication::setDesktopFileName(QString::fromLatin1(AppInfo::DesktopId));
    // The window hides while an alarm waits; only the exit commands or closing it end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start shows the first program's window instead of making a second program. The
    // claim lives as long as the process: the bus's thread may still use it as the program ends.
    auto *session = new SingleInstance;
    if (session->handedOver()) {
        // Nothing of this start's own to tidy, while the bus's thread may still be at work.
        std::fflush(nullptr);
        std::_Exit(0);
    }
    SessionBus::beforeWindows();
    AlarmProgram program;
    session->onActivate([&program](const QString &token) { program.showWindow(token); });
    // Ended by the session, it goes as when its window is closed.
    endOnSignals([] { QCoreApplication::quit(); });
    program.start();
    return app.exec();
}
