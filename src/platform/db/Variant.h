#pragma once

#include <QString>
#include <QtGlobal>
#include <concepts>
#include <iosfwd>
#include <utility>
#include <vector>

namespace db {

// A value as the data layer hands it over: Null, a whole number, a double or a text. The
// conversions follow the rules the windows were written against: Null cannot become a text or
// a number (error 94), numeric text converts, other text is a type mismatch (error 13).
class Variant {
  public:
    enum class Type { Null, Integer, Double, Text };

    Variant() noexcept : integer_(0) {}  // Null
    static Variant Null() { return Variant(); }

    // True is -1 and False 0, as the windows' Booleans are when they are stored as numbers.
    Variant(bool value) noexcept : type_(Type::Integer), integer_(value ? -1 : 0) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) Variant(T value)
    noexcept : type_(Type::Integer), integer_(static_cast<qint64>(value)) {}
    Variant(double value) noexcept : type_(Type::Double), double_(value) {}
    Variant(const QString& value) : type_(Type::Text), integer_(0), text_(value) {}
    Variant(QString&& value) noexcept : type_(Type::Text), integer_(0), text_(std::move(value)) {}
    Variant(const char* value) : type_(Type::Text), integer_(0), text_(QString::fromUtf8(value)) {}

    Type type() const noexcept { return type_; }
    bool IsNull() const noexcept { return type_ == Type::Null; }
    bool isNumber() const noexcept { return type_ == Type::Integer || type_ == Type::Double; }

    // The text as the platform writes the value; error 94 for Null.
    QString toString() const;
    // The value joined to an empty text: "" for Null, otherwise toString().
    QString text() const;
    // Error 94 for Null; text through rt::CDbl (error 13 when not numeric).
    double toDouble() const;
    // 16-bit, halves to even, error 6 outside the range; error 94 for Null.
    qint16 toInt() const;
    // 32-bit, halves to even, error 6 outside the range; error 94 for Null.
    qint32 toLong() const;

    // The stored representation, without conversion. Only valid for the matching type().
    qint64 integerValue() const { return integer_; }
    double doubleValue() const { return double_; }
    const QString& textValue() const { return text_; }

    // Null equals only Null; numbers compare by value whatever their representation; texts
    // compare exactly. A number never equals a text.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    // Every member is always initialised, so copies, moves and the destructor are the
    // compiler's own. The text stays outside the union on purpose: inside it, a copy had to
    // read the text on a branch taken only for texts, and g++ 12 at -O3, once the copy was
    // inlined into a list of values, took the number's unset bytes for a text being copied
    // (-Wmaybe-uninitialized). A null QString costs no allocation.
    Type type_ = Type::Null;
    union {
        qint64 integer_;
        double double_;
    };
    QString text_;
};

// For readable test failures.
void PrintTo(const Variant& value, std::ostream* os);

// The values bound to the ? marks of a statement, in order.
using Params = std::vector<Variant>;

}  // namespace db
