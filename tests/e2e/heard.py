#!/usr/bin/python3
"""When a recording of the sound server's sink (44.1 kHz, 16-bit stereo, its first byte at the
wall-clock moment T0) was loud:
  heard.py FILE T0 first-after MOMENT   the first loud moment at or after MOMENT
  heard.py FILE T0 last                 the last loud moment
Moments are seconds since the epoch; nothing is printed when the recording holds no such sound."""
import array
import os
import sys

THRESHOLD = 200  # well above the noise of silence, well below any tone
RATE = 44100 * 2  # samples a second, both channels


def samples(path):
    data = array.array("h")
    with open(path, "rb") as f:
        raw = f.read()
    data.frombytes(raw[: len(raw) // 2 * 2])
    return data


def main():
    path, t0, what = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    data = samples(path)
    # A recorder that falls behind on a loaded machine loses samples, and counting from T0 would
    # then place later sounds too early: the recording's end is written now, so count back from it
    # when that comes out later.
    t0 = max(t0, os.path.getmtime(path) - len(data) / RATE)
    if what == "first-after":
        start = max(0, int((float(sys.argv[4]) - t0) * RATE))
        for i in range(start, len(data)):
            if abs(data[i]) > THRESHOLD:
                print(f"{t0 + i / RATE:.3f}")
                return
    elif what == "last":
        for i in range(len(data) - 1, -1, -1):
            if abs(data[i]) > THRESHOLD:
                print(f"{t0 + i / RATE:.3f}")
                return
    else:
        sys.exit(f"heard.py: unknown question {what}")


main()
