#include "toolkit/front/ProgramEnd.h"

#include "toolkit/front/SessionBus.h"

#include <utility>
#include <vector>

namespace {
std::vector<std::function<void()>> steps; // the window thread's alone
} // namespace

void atProgramEnd(std::function<void()> step)
{
    steps.push_back(std::move(step));
}

void finishProgram()
{
    for (const auto &step : std::exchange(steps, {}))
        step();
    flushSessionBus();
}
