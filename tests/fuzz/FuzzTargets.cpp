// libFuzzer targets over what the program reads from a person or a disk. One binary per
// target: FUZZ_TARGET picks which body is compiled.
#include "alarm/Alarm.h"
#include "sound/WaveFile.h"
#if FUZZ_TARGET == 5
#include "sound/front/sdl/WaveStream.h"

#include <SDL.h>
#include <memory>
#endif
#include "toolkit/DateText.h"
#include "toolkit/FloatDate.h"
#include "toolkit/Numbers.h"
#include "toolkit/UserError.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

[[maybe_unused]] QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

[[noreturn, maybe_unused]] void broken(const char *what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
#if FUZZ_TARGET == 1 // an entry box's text to a 32-bit integer
    try {
        const qint32 value = Numbers::textToInt32(text(data, size));
        // What was accepted reads back the same from its own decimal text.
        if (Numbers::textToInt32(QString::number(value)) != value)
            broken("decimal text does not read back");
    } catch (const UserError &) {
    }
#elif FUZZ_TARGET == 2 // a kept alarm's text, as read back from a disk
    if (const std::optional<Alarm> alarm = alarmFromText(text(data, size)))
        if (alarmFromText(alarmText(*alarm)) != alarm)
            broken("an alarm read from a text does not read back from its own text");
#elif FUZZ_TARGET == 3 // the date text built from the lists and the time boxes
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)};
    for (const QLocale &locale : locales) {
        try {
            const FloatDate day = DateText::readDate(locale, text(data, size));
            if (FloatDates::timePart(day) != QTime(0, 0))
                broken("a date read back with a time of day");
        } catch (const UserError &) {
        }
    }
#elif FUZZ_TARGET == 4 // a moment to its floating date, its parts and its default text, and back
    if (size < 8)
        return 0;
    qint64 seconds;
    std::memcpy(&seconds, data, 8);
    // Years 100 to 9999, as the floating date holds them.
    const qint64 first = QDateTime(QDate(100, 1, 1), QTime(0, 0)).toSecsSinceEpoch();
    const qint64 last = QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)).toSecsSinceEpoch();
    const qint64 span = last - first + 1;
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(first + ((seconds % span) + span) % span, Qt::UTC);
    const FloatDate value = FloatDates::fromDateTime(moment.date(), moment.time());
    if (FloatDates::datePart(value) != moment.date() || FloatDates::timePart(value) != moment.time())
        broken("a moment does not come back from its floating date");
    const QString shown = DateText::defaultText(QLocale(QLocale::English, QLocale::UnitedStates), value);
    if (shown.isEmpty() || shown.contains(u':') == (moment.time() == QTime(0, 0)))
        broken("the default text shows a time exactly when it is not midnight");
#elif FUZZ_TARGET == 5 // a wave file the user picks, checked and played as the program plays it
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.wav"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    const std::optional<WaveLayout> layout = readWaveLayout(path);
    static const bool hinted = [] {
        SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
        SDL_SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
        return true;
    }();
    (void)hinted;
    SDL_AudioSpec device{};
    device.freq = 44100;
    device.format = AUDIO_S16SYS;
    device.channels = 2;
    std::unique_ptr<WaveStream> stream = WaveStream::open(path, device);
    if (stream && !layout)
        broken("a file that is not a whole wave file was accepted for playing");
    // A few seconds of what the mixer would ask for, in its pieces.
    Sint16 buffer[2048];
    for (int piece = 0; stream && piece < 200 && !stream->ended(); ++piece) {
        const int got = stream->read(buffer, 2048);
        if (got < 0 || got > 2048)
            broken("a read gave a count outside what was asked");
    }
#else
#error "FUZZ_TARGET must name a target"
#endif
    return 0;
}
