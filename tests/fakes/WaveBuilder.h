#pragma once

#include <QByteArray>

// Builds small wave files for tests: 16-bit PCM mono at 22050 Hz, a sine at half scale.
QByteArray sineWave(double seconds, double frequency = 440.0);
