// The test programs' main: pins the time zone and the language, so dates and month names read
// the same on every machine, and picks SDL's disk driver unless a test run chose a driver.
#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>

int main(int argc, char **argv)
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    setenv("LANG", "C", 1);
    unsetenv("LC_ALL");
    unsetenv("LANGUAGE");
    setenv("SDL_AUDIODRIVER", "disk", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
