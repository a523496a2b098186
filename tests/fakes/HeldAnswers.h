#pragma once

#include <QList>
#include <functional>
#include <utility>

// A fake's answers to a handler's questions: given at once, or held until the test gives them,
// as a desktop that takes its time would.
struct HeldAnswers
{
    bool hold = false;
    QList<std::function<void()>> held;

    void give(std::function<void()> answer)
    {
        if (hold)
            held.append(std::move(answer));
        else
            answer();
    }
    void giveHeld()
    {
        for (const auto &answer : std::exchange(held, {}))
            answer();
    }
};
