// What one countdown tick spends on conversions: reading two captions back and writing one.
#include "toolkit/DateText.h"
#include "toolkit/FloatDate.h"
#include "toolkit/Numbers.h"

#include <benchmark/benchmark.h>

static void CounterCaptionRoundTrip(benchmark::State &state)
{
    const QString total = QStringLiteral(" 3600 ");
    const QString passed = QStringLiteral("1234");
    for (auto _ : state) {
        QString remaining = u' ' + Numbers::numberText(Numbers::leadingNumber(total) - Numbers::leadingNumber(passed)) + u' ';
        benchmark::DoNotOptimize(remaining);
    }
}
BENCHMARK(CounterCaptionRoundTrip);

static void ClockDigits(benchmark::State &state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QDateTime now(QDate(2026, 12, 7), QTime(9, 5, 7));
    for (auto _ : state) {
        QString date = DateText::dayMonthYear(locale, now.date());
        QString seconds = DateText::twoDigits(now.time().second());
        benchmark::DoNotOptimize(date);
        benchmark::DoNotOptimize(seconds);
    }
}
BENCHMARK(ClockDigits);

static void SecondsToTarget(benchmark::State &state)
{
    const FloatDate now = FloatDates::fromDateTime(QDate(2026, 12, 7), QTime(9, 5, 7));
    const FloatDate target = now + 0.25;
    for (auto _ : state)
        benchmark::DoNotOptimize(FloatDates::secondsBetween(now, target));
}
BENCHMARK(SecondsToTarget);
