#pragma once

#include <QStringView>

// The number at the start of a text box's text: leading blanks, an optional sign,
// digits with an optional decimal point and exponent. Reading stops at the first
// character that cannot continue the number; a text with no number reads as 0.
double ReadLeadingNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);
