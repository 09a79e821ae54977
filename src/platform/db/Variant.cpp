#include "db/Variant.h"

#include <limits>
#include <ostream>

#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace db {
namespace {

[[noreturn]] void nullUsed() {
    rt::raise(rt::err::InvalidUseOfNull);
}

}  // namespace

QString Variant::toString() const {
    switch (type()) {
        case Type::Null:
            nullUsed();
        case Type::Integer:
            // Exact for every 64-bit value, and the same digits as the number written by Str.
            return QString::number(integerValue());
        case Type::Double:
            return rt::Str(doubleValue());
        case Type::Text:
            break;
    }
    return textValue();
}

QString Variant::text() const {
    return IsNull() ? QString(QLatin1String("")) : toString();
}

double Variant::toDouble() const {
    switch (type()) {
        case Type::Null:
            nullUsed();
        case Type::Integer:
            return static_cast<double>(integerValue());
        case Type::Double:
            return doubleValue();
        case Type::Text:
            break;
    }
    return rt::CDbl(textValue());
}

qint16 Variant::toInt() const {
    if (type() == Type::Integer && integerValue() >= std::numeric_limits<qint16>::min() &&
        integerValue() <= std::numeric_limits<qint16>::max()) {
        return static_cast<qint16>(integerValue());
    }
    if (type() == Type::Text) {
        return rt::CInt(textValue());
    }
    return rt::CInt(toDouble());
}

qint32 Variant::toLong() const {
    if (type() == Type::Integer && integerValue() >= std::numeric_limits<qint32>::min() &&
        integerValue() <= std::numeric_limits<qint32>::max()) {
        return static_cast<qint32>(integerValue());
    }
    if (type() == Type::Text) {
        return rt::CLng(textValue());
    }
    return rt::CLng(toDouble());
}

bool operator==(const Variant& a, const Variant& b) {
    using Type = Variant::Type;
    if (a.isNumber() && b.isNumber()) {
        if (a.type() == Type::Integer && b.type() == Type::Integer) {
            return a.integerValue() == b.integerValue();
        }
        return a.toDouble() == b.toDouble();
    }
    if (a.type() != b.type()) {
        return false;
    }
    return a.IsNull() || a.textValue() == b.textValue();
}

void PrintTo(const Variant& value, std::ostream* os) {
    switch (value.type()) {
        case Variant::Type::Null:
            *os << "Null";
            return;
        case Variant::Type::Integer:
            *os << value.integerValue();
            return;
        case Variant::Type::Double:
            *os << value.doubleValue() << " (double)";
            return;
        case Variant::Type::Text:
            *os << '"' << value.textValue().toStdString() << '"';
            return;
    }
}

}  // namespace db
