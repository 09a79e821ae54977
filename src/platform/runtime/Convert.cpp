#include "runtime/Convert.h"

#include <QGuiApplication>
#include <QPalette>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Error.h"

namespace rt {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A non-negative decimal number as a string of digits with the point after `pointPos` of them.
struct Decimal {
    std::string digits;
    int pointPos = 0;
};

// The magnitude of `value` as written with 15 significant digits. Rounding for display works on
// this text rather than on the binary value, so that 2.675 (stored as 2.67499999...) rounds as
// the 2.675 a person typed.
Decimal decimal15(double value) {
    // "d.ddddddddddddde+XX": read in place, as it runs for every number a list shows.
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const char* e = std::find(buf, res.ptr, 'e');
    Decimal d;
    d.digits.reserve(static_cast<size_t>(e - buf));
    d.digits.push_back(buf[0]);
    d.digits.append(buf + 2, static_cast<size_t>(e - (buf + 2)));
    const char* exponent = e + 1;
    if (exponent != res.ptr && *exponent == '+') {
        ++exponent;
    }
    int power = 0;
    std::from_chars(exponent, res.ptr, power);
    d.pointPos = power + 1;
    return d;
}

// Rounds half away from zero to `frac` decimals; afterwards 0 <= pointPos <= digits.size().
void roundTo(Decimal& d, int frac) {
    if (d.pointPos < 0) {
        d.digits.insert(0, static_cast<size_t>(-d.pointPos), '0');
        d.pointPos = 0;
    }
    if (static_cast<int>(d.digits.size()) < d.pointPos) {
        d.digits.append(static_cast<size_t>(d.pointPos) - d.digits.size(), '0');
    }
    const size_t keep = static_cast<size_t>(d.pointPos + frac);
    if (keep >= d.digits.size()) {
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up) {
        return;
    }
    for (size_t i = keep; i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits.insert(d.digits.begin(), '1');
    ++d.pointPos;
}

[[noreturn]] void badPicture(const QString& fmt) {
    raise(err::InvalidProcedureCall,
          QStringLiteral("Invalid procedure call or argument: number format \"%1\"").arg(fmt),
          QStringLiteral("Format"));
}

bool isPictureSpecial(QChar c) {
    return c == u'0' || c == u'#' || c == u'.' || c == u',' || c == u'%' || c == u'\\' ||
           c == u'"' || c == u';';
}

// Hex or octal digits after "&H" / "&O" as the platform read them: values that fit in 16 bits
// are 16-bit signed integers, then 32-bit signed; more than 32 bits is an overflow.
std::optional<double> radixValue(QStringView digits, int radix, bool* overflow) {
    quint64 v = 0;
    for (QChar c : digits) {
        const int digit = QStringView(u"0123456789abcdef").indexOf(c.toLower());
        if (digit < 0 || digit >= radix) {
            return std::nullopt;
        }
        v = v * static_cast<quint64>(radix) + static_cast<quint64>(digit);
        if (v > 0xFFFFFFFFull) {
            *overflow = true;
            return std::nullopt;
        }
    }
    if (v <= 0xFFFF) {
        return static_cast<double>(static_cast<qint16>(static_cast<quint16>(v)));
    }
    return static_cast<double>(static_cast<qint32>(static_cast<quint32>(v)));
}

// Converts a plain ASCII number ("-12.5e3", no grouping) that is known to be well formed.
// Sets `overflow` for magnitudes beyond a double; too small magnitudes read as zero.
double plainValue(const std::string& s, bool* overflow) {
    const bool negative = !s.empty() && s[0] == '-';
    const char* first = s.data() + ((!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0);
    double v = 0;
    auto res = std::from_chars(first, s.data() + s.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Out of range either way: decide by the decimal exponent of the first significant
        // digit.
        long long exponent = 0;
        const auto ePos = s.find_first_of("eE");
        if (ePos != std::string::npos) {
            std::string e = s.substr(ePos + 1);
            long long parsed = 0;
            const char* ef = e.data() + ((!e.empty() && e[0] == '+') ? 1 : 0);
            auto er = std::from_chars(ef, e.data() + e.size(), parsed);
            exponent =
                er.ec == std::errc::result_out_of_range ? (e[0] == '-' ? -100000 : 100000) : parsed;
        }
        const std::string mantissa = s.substr(0, ePos);
        const auto point = std::min(mantissa.find('.'), mantissa.size());
        const auto lead = mantissa.find_first_of("123456789");
        const long long leadPower = lead < point ? static_cast<long long>(point - lead) - 1
                                                 : -static_cast<long long>(lead - point);
        if (exponent + leadPower > 0) {
            *overflow = true;
        }
        return 0;
    }
    if (v == 0) {
        return 0;  // never a negative zero
    }
    return negative ? -v : v;
}

// Reads whole numeric text; the grammar of IsNumeric. nullopt when the text is not a number;
// `overflow` is set when it is a number but beyond the range of a double.
std::optional<double> parseWhole(const QString& text, bool* overflow) {
    *overflow = false;
    const QString t = Trim(text);
    if (t.isEmpty()) {
        return std::nullopt;
    }
    if (t.size() > 2 && t[0] == u'&') {
        const QChar kind = t[1].toUpper();
        if (kind == u'H') {
            return radixValue(QStringView(t).mid(2), 16, overflow);
        }
        if (kind == u'O') {
            return radixValue(QStringView(t).mid(2), 8, overflow);
        }
        return std::nullopt;
    }

    std::string ascii;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (t[i] == u'+' || t[i] == u'-') {
        ascii += static_cast<char>(t[i].unicode());
        ++i;
    }
    int mantissaDigits = 0;
    // No grouping: a comma is a decimal comma to some and a thousands separator to others, and
    // either reading of "0,125" stores a number the person did not mean.
    while (i < n && isDigit(t[i])) {
        ascii += static_cast<char>(t[i].unicode());
        ++mantissaDigits;
        ++i;
    }
    if (i < n && t[i] == u'.') {
        ascii += '.';
        ++i;
        while (i < n && isDigit(t[i])) {
            ascii += static_cast<char>(t[i].unicode());
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < n && (t[i].toUpper() == u'E' || t[i].toUpper() == u'D')) {
        ascii += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) {
            ascii += static_cast<char>(t[i].unicode());
            ++i;
        }
        int expDigits = 0;
        while (i < n && isDigit(t[i])) {
            ascii += static_cast<char>(t[i].unicode());
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != n) {
        return std::nullopt;
    }
    const double v = plainValue(ascii, overflow);
    if (*overflow) {
        return std::nullopt;
    }
    return v;
}

[[noreturn]] void raiseOverflow(const QString& source) {
    raise(err::Overflow, source);
}

}  // namespace

QString Format(double value, const QString& fmt) {
    if (!std::isfinite(value)) {
        return Str(value);
    }
    if (fmt.isEmpty() || fmt.compare(u"General Number", Qt::CaseInsensitive) == 0) {
        return Str(value);
    }
    if (fmt.compare(u"Fixed", Qt::CaseInsensitive) == 0) {
        return Format(value, QStringLiteral("0.00"));
    }

    // picture = prefix literal, placeholders with at most one point, suffix literal
    qsizetype first = 0;
    while (first < fmt.size() && !isPictureSpecial(fmt[first])) {
        ++first;
    }
    qsizetype last = fmt.size();
    while (last > first && !isPictureSpecial(fmt[last - 1])) {
        --last;
    }
    if (first == last) {
        badPicture(fmt);
    }
    const QStringView prefix = QStringView(fmt).left(first);
    const QStringView suffix = QStringView(fmt).mid(last);
    const QStringView body = QStringView(fmt).mid(first, last - first);
    const qsizetype point = body.indexOf(u'.');
    const QStringView intPic = point < 0 ? body : body.left(point);
    const QStringView fracPic = point < 0 ? QStringView() : body.mid(point + 1);
    for (QChar c : intPic) {
        if (c != u'0' && c != u'#') {
            badPicture(fmt);
        }
    }
    for (QChar c : fracPic) {
        if (c != u'0' && c != u'#') {
            badPicture(fmt);
        }
    }
    const qsizetype firstZero = intPic.indexOf(u'0');
    const int minInt = firstZero < 0 ? 0 : static_cast<int>(intPic.size() - firstZero);
    const int maxFrac = static_cast<int>(fracPic.size());
    const int minFrac = static_cast<int>(fracPic.lastIndexOf(u'0') + 1);

    Decimal d = decimal15(value);
    roundTo(d, maxFrac);
    const std::string_view digits = d.digits;
    std::string_view intDigits = digits.substr(0, static_cast<size_t>(d.pointPos));
    const std::string_view fracDigits = digits.substr(static_cast<size_t>(d.pointPos));
    const bool isZero = digits.find_first_not_of('0') == std::string_view::npos;

    const auto lead = intDigits.find_first_not_of('0');
    intDigits = lead == std::string_view::npos ? std::string_view() : intDigits.substr(lead);
    const qsizetype intZeros =
        std::max<qsizetype>(0, minInt - static_cast<qsizetype>(intDigits.size()));
    // The decimals to maxFrac, less the trailing zeros beyond minFrac.
    qsizetype fracSize = maxFrac;
    auto fracDigit = [&](qsizetype i) {
        return i < static_cast<qsizetype>(fracDigits.size()) ? fracDigits[static_cast<size_t>(i)]
                                                             : '0';
    };
    while (fracSize > minFrac && fracDigit(fracSize - 1) == '0') {
        --fracSize;
    }

    // Written once into a text of its final length.
    QString out;
    out.reserve(prefix.size() + 1 + intZeros + static_cast<qsizetype>(intDigits.size()) + 1 +
                fracSize + suffix.size());
    out += prefix;
    if (value < 0 && !isZero) {
        out += u'-';
    }
    for (qsizetype i = 0; i < intZeros; ++i) {
        out += u'0';
    }
    out += QLatin1StringView(intDigits.data(), static_cast<qsizetype>(intDigits.size()));
    if (point >= 0) {
        out += u'.';
        for (qsizetype i = 0; i < fracSize; ++i) {
            out += QLatin1Char(fracDigit(i));
        }
    }
    out += suffix;
    return out;
}

QString Format(const QString& text, const QString& fmt) {
    bool overflow = false;
    const auto v = parseWhole(text, &overflow);
    if (!v) {
        return text;
    }
    return Format(*v, fmt);
}

QString Format(const QDate& date, const QString& fmt) {
    if (!date.isValid()) {
        return {};
    }
    return date.toString(fmt);
}

QString Str(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    }
    if (value == 0) {
        return QStringLiteral("0");
    }
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string text(buf, res.ptr);
    const auto ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const int exponent = std::stoi(text.substr(ePos + 1));
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const std::string e = std::to_string(std::abs(exponent));
        out += e.size() < 2 ? "0" + e : e;
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const size_t intLen = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out += digits;
            out.append(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen);
            out += '.';
            out += digits.substr(intLen);
        }
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

qint16 CInt(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= -32768.0 && r <= 32767.0)) {
        raiseOverflow(QStringLiteral("CInt"));
    }
    return static_cast<qint16>(r);
}

qint16 CInt(const QString& text) {
    return CInt(CDbl(text));
}

qint32 CLng(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        raiseOverflow(QStringLiteral("CLng"));
    }
    return static_cast<qint32>(r);
}

qint32 CLng(const QString& text) {
    return CLng(CDbl(text));
}

double CDbl(const QString& text) {
    bool overflow = false;
    const auto v = parseWhole(text, &overflow);
    if (overflow) {
        raiseOverflow(QStringLiteral("CDbl"));
    }
    if (!v) {
        raise(err::TypeMismatch, QStringLiteral("CDbl"));
    }
    return *v;
}

bool IsNumeric(const QString& text) {
    bool overflow = false;
    return parseWhole(text, &overflow).has_value();
}

double Val(const QString& text) {
    QString t;
    t.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n') {
            t += c;
        }
    }
    const qsizetype n = t.size();
    bool overflow = false;
    if (n >= 2 && t[0] == u'&' && (t[1].toUpper() == u'H' || t[1].toUpper() == u'O')) {
        const int radix = t[1].toUpper() == u'H' ? 16 : 8;
        qsizetype end = 2;
        while (end < n) {
            const int digit = QStringView(u"0123456789abcdef").indexOf(t[end].toLower());
            if (digit < 0 || digit >= radix) {
                break;
            }
            ++end;
        }
        const auto v = radixValue(QStringView(t).mid(2, end - 2), radix, &overflow);
        if (overflow) {
            raiseOverflow(QStringLiteral("Val"));
        }
        return v.value_or(0);
    }

    std::string ascii;
    qsizetype i = 0;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        ascii += static_cast<char>(t[i].unicode());
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && isDigit(t[i])) {
        ascii += static_cast<char>(t[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && t[i] == u'.') {
        ascii += '.';
        ++i;
        while (i < n && isDigit(t[i])) {
            ascii += static_cast<char>(t[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < n && (t[i].toUpper() == u'E' || t[i].toUpper() == u'D')) {
        qsizetype j = i + 1;
        std::string exp = "e";
        if (j < n && (t[j] == u'+' || t[j] == u'-')) {
            exp += static_cast<char>(t[j++].unicode());
        }
        const qsizetype digitsStart = j;
        while (j < n && isDigit(t[j])) {
            exp += static_cast<char>(t[j++].unicode());
        }
        if (j > digitsStart) {
            ascii += exp;
        }
    }
    const double v = plainValue(ascii, &overflow);
    if (overflow) {
        raiseOverflow(QStringLiteral("Val"));
    }
    return v;
}

QString LTrim(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    return text.mid(i);
}

QString RTrim(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ') {
        --n;
    }
    return text.left(n);
}

QString Trim(const QString& text) {
    return LTrim(RTrim(text));
}

QString DateText(const QDate& date) {
    return Format(date, QStringLiteral("dd-MM-yyyy"));
}

QDate ParseDateText(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})([-/])(\\d{1,2})\\2(\\d{4})$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) {
        return {};
    }
    const QDate d(m.captured(4).toInt(), m.captured(3).toInt(), m.captured(1).toInt());
    return d.isValid() ? d : QDate();
}

QDate CDate(const QString& text) {
    const QDate d = ParseDateText(text);
    if (!d.isValid()) {
        raise(err::TypeMismatch, QStringLiteral("CDate"));
    }
    return d;
}

double Divide(double a, double b) {
    if (b == 0) {
        raise(err::DivisionByZero, QStringLiteral("Divide"));
    }
    const double q = a / b;
    if (std::isinf(q) && std::isfinite(a)) {
        raiseOverflow(QStringLiteral("Divide"));
    }
    return q;
}

QColor ColorFromLong(qint32 value) {
    const quint32 v = static_cast<quint32>(value);
    if (v & 0x80000000u) {
        // A system colour: the high bit marks an index into the desktop's own colour scheme.
        // Without a running GUI there is no desktop scheme to follow; use Qt's built-in one.
        const QPalette pal =
            qGuiApp != nullptr ? QGuiApplication::palette() : QPalette(Qt::lightGray);
        switch (v & 0xFFu) {
            case 0:   // scroll bars
            case 15:  // button face
                return pal.color(QPalette::Button);
            case 1:   // desktop
            case 12:  // application workspace
            case 16:  // button shadow
                return pal.color(QPalette::Dark);
            case 2:   // active title bar
            case 13:  // highlight
                return pal.color(QPalette::Highlight);
            case 3:   // inactive title bar
            case 10:  // active border
            case 11:  // inactive border
                return pal.color(QPalette::Mid);
            case 4:  // menu
                return pal.color(QPalette::Window);
            case 5:  // window background
                return pal.color(QPalette::Base);
            case 6:   // window frame
            case 21:  // 3D dark shadow
                return pal.color(QPalette::Shadow);
            case 7:  // menu text
                return pal.color(QPalette::WindowText);
            case 8:  // window text
                return pal.color(QPalette::Text);
            case 9:   // title bar text
            case 14:  // highlighted text
                return pal.color(QPalette::HighlightedText);
            case 17:  // grey (disabled) text
                return pal.color(QPalette::Disabled, QPalette::Text);
            case 18:  // button text
                return pal.color(QPalette::ButtonText);
            case 19:  // inactive title bar text
                return pal.color(QPalette::Disabled, QPalette::WindowText);
            case 20:  // 3D highlight
                return pal.color(QPalette::Light);
            case 22:  // 3D light
                return pal.color(QPalette::Midlight);
            case 23:  // tool tip text
                return pal.color(QPalette::ToolTipText);
            case 24:  // tool tip background
                return pal.color(QPalette::ToolTipBase);
            default:
                return pal.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu),
                  static_cast<int>((v >> 16) & 0xFFu));
}

qint32 LongFromColor(const QColor& color) {
    if (!color.isValid()) {
        return 0;
    }
    const QColor rgb = color.toRgb();
    return static_cast<qint32>(static_cast<quint32>(rgb.red()) |
                               (static_cast<quint32>(rgb.green()) << 8) |
                               (static_cast<quint32>(rgb.blue()) << 16));
}

}  // namespace rt
