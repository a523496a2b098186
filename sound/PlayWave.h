#pragma once

#include <QString>
#include <functional>

class AudioOut;
class Clock;

// Waits until done() holds, keeping the window alive: Stop and the exits get through.
using WaitWhilePlaying = std::function<void(const std::function<bool()> &done)>;

// Plays the user's wave file to its end, or until Stop; false when it could not be opened or
// played. Without a wait, the file is not waited for (an output that plays it at once).
bool PlayWave(AudioOut &audio, const Clock &clock, const QString &WaveFile, const WaitWhilePlaying &waitWhilePlaying);
