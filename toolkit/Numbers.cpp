#include "toolkit/Numbers.h"

#include "toolkit/UserError.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace Numbers {

namespace {

    bool isBlank(QChar c)
    {
        return c == u' ' || c == u'\t';
    }

    bool isDigit(QChar c)
    {
        return c >= u'0' && c <= u'9';
    }

    QString rangeText()
    {
        return QStringLiteral("from %1 to %2")
            .arg(std::numeric_limits<qint32>::min())
            .arg(std::numeric_limits<qint32>::max());
    }

} // namespace

qint32 textToInt32(const QString &text)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i == end)
        throw UserError(QStringLiteral("it is empty, and a whole number is needed."));

    const QString shown = text.mid(i, end - i);
    const auto notANumber = [&] { return UserError(QStringLiteral("\"%1\" is not a number.").arg(shown)); };

    bool negative = false;
    if (text[i] == u'+' || text[i] == u'-') {
        negative = text[i] == u'-';
        ++i;
    }

    // Whole part, capped well above the 32-bit range so long digit strings cannot wrap.
    constexpr qint64 cap = qint64(1) << 40;
    qint64 whole = 0;
    qsizetype digits = 0;
    for (; i < end && isDigit(text[i]); ++i, ++digits)
        whole = std::min(cap, whole * 10 + (text[i].unicode() - u'0'));

    // The fraction only decides the rounding: below, exactly at or above one half.
    int vsHalf = -1;
    if (i < end && text[i] == u'.') {
        ++i;
        qsizetype first = i;
        for (; i < end && isDigit(text[i]); ++i, ++digits) {
            const int d = text[i].unicode() - u'0';
            if (i == first)
                vsHalf = d > 5 ? 1 : (d == 5 ? 0 : -1);
            else if (vsHalf == 0 && d != 0)
                vsHalf = 1;
        }
    }
    if (digits == 0 || i != end)
        throw notANumber();

    if (vsHalf > 0 || (vsHalf == 0 && whole % 2 == 1))
        ++whole;
    const qint64 value = negative ? -whole : whole;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw OverflowError(QStringLiteral("\"%1\" is out of range: whole numbers run %2.").arg(shown, rangeText()));
    return static_cast<qint32>(value);
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        throw OverflowError(QStringLiteral("The number is too large to show."));
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

qint32 checkedAdd(qint32 a, qint32 b)
{
    qint32 sum;
    if (__builtin_add_overflow(a, b, &sum))
        throw OverflowError(
            QStringLiteral("%1 + %2 is out of range: whole numbers run %3.").arg(a).arg(b).arg(rangeText()));
    return sum;
}

qint32 checkedMul(qint32 a, qint32 b)
{
    qint32 product;
    if (__builtin_mul_overflow(a, b, &product))
        throw OverflowError(
            QStringLiteral("%1 × %2 is out of range: whole numbers run %3.").arg(a).arg(b).arg(rangeText()));
    return product;
}

} // namespace Numbers
