// Preloaded into the program by journeys that judge what it undoes before it ends: its
// immediate end lingers 1.5 s (or LINGER_AT_EXIT_SECONDS), after leaving a mark, so a test
// sees the tray as the program left it while the process (and so its X and bus connections)
// still exists.
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" [[noreturn]] void _Exit(int status)
{
    if (const char *mark = std::getenv("LINGER_AT_EXIT_MARK")) {
        const int fd = open(mark, O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            close(fd);
    }
    const char *seconds = std::getenv("LINGER_AT_EXIT_SECONDS");
    timespec pause{1, 500'000'000};
    if (seconds && *seconds)
        pause = {std::atoi(seconds), 0};
    while (nanosleep(&pause, &pause) != 0) { }
    for (;;)
        syscall(SYS_exit_group, status);
}
