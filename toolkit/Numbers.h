#pragma once

#include <QString>
#include <QtGlobal>

// The number conversions the alarm's entry boxes and counter captions rely on.
namespace Numbers {

// Text of an entry box to a 32-bit integer: decimal, optional sign, blanks around,
// a fraction rounded to the nearest integer with halves to the even neighbour.
// Throws UserError when the text holds no number, OverflowError when it is out of range.
qint32 textToInt32(const QString &text);

// The shortest decimal text of a value: "25", "-3", no plus sign, no fraction when whole.
// Throws OverflowError for a value that is not finite.
QString numberText(double value);

// 32-bit arithmetic that refuses to wrap: throws OverflowError instead.
qint32 checkedAdd(qint32 a, qint32 b);
qint32 checkedMul(qint32 a, qint32 b);

} // namespace Numbers
