#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QtGlobal>

// Conversions between numbers, dates and text with the rules the windows were written against.
// The decimal separator is always a point, whatever the locale; failures raise rt::Error.
namespace rt {

// Formats a number with a picture made of '0' and '#' digit placeholders and at most one '.':
// "###0.00", "00000.00", "###.##", "0". Rounds half away from zero on the value as written with
// 15 significant digits; a value that rounds to zero never carries a minus sign.
QString Format(double value, const QString& fmt);
// Numeric text is formatted as its number; other text (and empty text) is returned unchanged.
QString Format(const QString& text, const QString& fmt);
// Date pictures "dd-MM-yyyy" and "dd/MM/yyyy"; an invalid date gives an empty text.
QString Format(const QDate& date, const QString& fmt);

// A number as text: up to 15 significant digits, no trailing zeros, exponent form ("1E+16",
// "1.5E-05") for very large or very small magnitudes.
QString Str(double value);

// Nearest whole number, halves to the even neighbour; error 6 outside the type's range.
qint16 CInt(double value);
qint16 CInt(const QString& text);
qint32 CLng(double value);
qint32 CLng(const QString& text);

// The whole text (outer blanks allowed) as a number; error 13 when it is not numeric, error 6
// when it is beyond the range of a double. Digits with a point, without grouping ("1,000" is no
// number), an optional sign and exponent, or "&H"/"&O" digits; the result is always finite.
double CDbl(const QString& text);

// True when the text as a whole reads as a number (see CDbl).
bool IsNumeric(const QString& text);

// The number at the start of the text; never fails ("abc" gives 0).
double Val(const QString& text);

// Remove blanks (U+0020 only; tabs and line ends are kept).
QString Trim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);

// Dates as the data file and the windows show them: "dd-MM-yyyy".
QString DateText(const QDate& date);
// Reads "dd-MM-yyyy" or "dd/MM/yyyy" (day first, one-digit day or month accepted); an invalid
// QDate for any other text or an impossible date.
QDate ParseDateText(const QString& text);
// As ParseDateText, but error 13 for a text that is not a date.
QDate CDate(const QString& text);

// a / b; error 11 when b is zero.
double Divide(double a, double b);

// Colour values hold red in the low byte, then green, then blue.
QColor ColorFromLong(qint32 value);
qint32 LongFromColor(const QColor& color);

}  // namespace rt
