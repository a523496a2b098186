#!/usr/bin/python3
"""When a recording of the sound server's sink (44.1 kHz, 16-bit stereo, its first byte at the
wall-clock moment T0) was loud:
  heard.py FILE T0 first-after MOMENT [WAIT]
                                        the first loud moment at or after MOMENT, looking again
                                        every 50 ms for up to WAIT seconds until there is one
  heard.py FILE T0 last                 the last loud moment
Moments are seconds since the epoch; nothing is printed when the recording holds no such sound."""
import array
import os
import sys
import time

THRESHOLD = 200  # well above the noise of silence, well below any tone
RATE = 44100 * 2  # samples a second, both channels
# The tests ask this every 50 ms while they wait: quiet stretches are passed over a tenth of a
# second at a time by the built-in max and min, and only a loud tenth is looked at sample by sample.
STRETCH = RATE // 10


def samples(path, start, count):
    data = array.array("h")
    with open(path, "rb") as f:
        f.seek(start * 2)
        data.frombytes(f.read((count - start) * 2))
    return data


def loud(stretch):
    return len(stretch) > 0 and (max(stretch) > THRESHOLD or min(stretch) < -THRESHOLD)


def first_loud(data):
    for begin in range(0, len(data), STRETCH):
        stretch = data[begin:begin + STRETCH]
        if loud(stretch):
            return begin + next(i for i, s in enumerate(stretch) if abs(s) > THRESHOLD)
    return None


def last_loud(data):
    for end in range(len(data), 0, -STRETCH):
        stretch = data[max(0, end - STRETCH):end]
        if loud(stretch):
            return end - len(stretch) + max(i for i, s in enumerate(stretch) if abs(s) > THRESHOLD)
    return None


def first_loud_after(path, t0, moment, tries):
    """The first loud moment at or after MOMENT, looking again every 50 ms, TRIES more times."""
    quiet = None  # (from, to): samples already found quiet
    while True:
        count, start = look(path, t0)
        first = min(count, max(0, int((moment - start) * RATE)))
        # Each look reads only what the last did not: the recording grows at its end, and the
        # moment of its start may be corrected a little between looks.
        if quiet is None or first > quiet[1]:
            quiet = (first, first)
        found = scan(path, first, quiet[0])
        if found is None:
            found = scan(path, max(first, quiet[1]), count)
        if found is not None:
            return start + found / RATE
        if tries <= 0:
            return None
        quiet = (min(first, quiet[0]), count)
        tries -= 1
        time.sleep(0.05)


def scan(path, begin, end):
    """The first loud sample in [BEGIN, END), or None."""
    if begin >= end:
        return None
    found = first_loud(samples(path, begin, end))
    return None if found is None else begin + found


def last_loud_moment(path, t0):
    count, start = look(path, t0)
    found = last_loud(samples(path, 0, count))
    return None if found is None else start + found / RATE


def look(path, t0):
    """The recording's length in samples, and the moment of its first, in one look: the recorder
    goes on writing while this reads."""
    now = os.stat(path)
    count = now.st_size // 2
    # A recorder that falls behind on a loaded machine loses samples, and counting from T0 would
    # then place later sounds too early: the recording's end is written now, so count back from it
    # when that comes out later.
    return count, max(t0, now.st_mtime - count / RATE)


def main():
    path, t0, what = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    if what == "first-after":
        # One process for the whole wait, where a shell's poll would start one every 50 ms.
        wait = float(sys.argv[5]) if len(sys.argv) > 5 else 0
        found = first_loud_after(path, t0, float(sys.argv[4]), int(wait * 20))
    elif what == "last":
        found = last_loud_moment(path, t0)
    else:
        sys.exit(f"heard.py: unknown question {what}")
    if found is not None:
        print(f"{found:.3f}")


main()
