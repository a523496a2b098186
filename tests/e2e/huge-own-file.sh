#!/usr/bin/env bash
# Own files that once took all memory or froze the window: 13 KB of 8-bit samples at 1 Hz
# (3.6 hours of sound), and 3.5 hours at 8 kHz. Each is chosen and previewed while the window
# keeps painting, the memory stays within 32 MiB of idle, and Stop silences it at once.
# Run with DESKTOP_SOUND=pulse or pipewire.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
need_sound_server
python3 - "$WORK" <<'PY'
import struct, sys
def header(rate, bits, align, size):
    return (b"RIFF" + struct.pack("<I", 36 + size) + b"WAVEfmt "
            + struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * align, align, bits) + b"data" + struct.pack("<I", size))
with open(sys.argv[1] + "/slow.wav", "wb") as f:
    f.write(header(1, 8, 1, 13000) + bytes(28 if i % 2 else 228 for i in range(13000)))
size = 8000 * 2 * 12600
with open(sys.argv[1] + "/long recording.wav", "wb") as f:
    f.write(header(8000, 16, 2, size))
    for second in range(0, 12600, 600):  # a tone at the start of every ten minutes, silence between
        f.seek(44 + second * 16000)
        f.write(struct.pack("<8000h", *[12000 if (i // 20) % 2 else -12000 for i in range(8000)]))
    f.truncate(44 + size)
PY
rss() { awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status"; }
clock_digits() { import -window "$APP_WINDOW" -crop 140x20+95+108 "$WORK/clock.png" && md5sum <"$WORK/clock.png"; }

start_app "$1"
sleep 1
idle=$(rss)
for file in slow.wav "long recording.wav"; do
  click_tone "$OWN_FILE_TONE"
  wait_file_dialog
  paste_text "$WORK/$file"
  chosen=$(now)
  xdotool key Return
  heard_first_after "$chosen" 5 | grep -q . || fail "$file: the preview was not heard"
  # The window keeps running while it plays: the clock's seconds move on screen.
  before=$(clock_digits)
  wait_for 3 not output_is "$before" clock_digits || fail "$file: the window stopped painting during the play"
  sleep 2
  grown=$(( $(rss) - idle ))
  # A sanitizer's allocator keeps freed memory in quarantine by design: the bound is the real build's.
  if [ -z "${SANITIZED_BUILD:-}" ]; then
    [ "$grown" -lt $((32 * 1024)) ] || fail "$file: resident memory grew by $grown KiB while it played"
  fi
  stopped_at=$(now)
  click Stopp
  sleep 1.5
  between 0 "$(heard_last)" "$(plus "$stopped_at" 0.5)" \
    || fail "$file: sound went on $(seconds_between "$stopped_at" "$(heard_last)") s after Stop"
  echo "ok: $file previewed in $grown KiB more than idle, silent $(seconds_between "$stopped_at" "$(heard_last)") s after Stop"
done
screenshot journey-huge-own-file
kill "$APP_PID"
