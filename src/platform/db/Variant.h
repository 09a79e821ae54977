#pragma once

#include <QString>
#include <QtGlobal>
#include <concepts>
#include <iosfwd>
#include <new>
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
    Variant(const QString& value) : type_(Type::Text), text_(value) {}
    Variant(QString&& value) noexcept : type_(Type::Text), text_(std::move(value)) {}
    Variant(const char* value) : type_(Type::Text), text_(QString::fromUtf8(value)) {}

    Variant(const Variant& other) : type_(other.type_) { copyFrom(other); }
    Variant(Variant&& other) noexcept : type_(other.type_) { moveFrom(std::move(other)); }
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { destroy(); }

    Type type() const noexcept { return type_; }
    bool IsNull() const noexcept { return type_ == Type::Null; }
    bool isNumber() const noexcept { return type_ == Type::Integer || type_ == Type::Double; }

    // The text as the platform writes the value; error 94 for Null. A value about to go (as a
    // field just read) hands its text over instead of sharing it.
    QString toString() const&;
    QString toString() &&;
    // The value joined to an empty text: "" for Null, otherwise toString().
    QString text() const&;
    QString text() &&;
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
    // A plain tagged union rather than std::variant: a recordset holds one of these per field
    // of every row, and copying, moving and destroying them is then a simple branch.
    void destroy() noexcept {
        if (type_ == Type::Text) {
            text_.~QString();
        }
    }
    void copyFrom(const Variant& other) {
        switch (type_) {
            case Type::Text:
                new (&text_) QString(other.text_);
                break;
            case Type::Double:
                double_ = other.double_;
                break;
            default:
                integer_ = other.integer_;
                break;
        }
    }
    void moveFrom(Variant&& other) noexcept {
        switch (type_) {
            case Type::Text:
                new (&text_) QString(std::move(other.text_));
                break;
            case Type::Double:
                double_ = other.double_;
                break;
            default:
                integer_ = other.integer_;
                break;
        }
    }

    Type type_ = Type::Null;
    union {
        qint64 integer_;
        double double_;
        QString text_;
    };
};

// For readable test failures.
void PrintTo(const Variant& value, std::ostream* os);

// The values bound to the ? marks of a statement, in order.
using Params = std::vector<Variant>;

}  // namespace db
