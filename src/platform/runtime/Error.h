#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace rt {

// Error numbers that callers branch on. They keep the numbers of the platform the windows
// were first written for, so that handlers read the same as their descriptions.
namespace err {
constexpr long InvalidProcedureCall = 5;
constexpr long Overflow = 6;
constexpr long SubscriptOutOfRange = 9;
constexpr long DivisionByZero = 11;
constexpr long TypeMismatch = 13;
constexpr long FileNotFound = 53;
constexpr long BadFileNameOrNumber = 52;
constexpr long PathNotFound = 76;
constexpr long PermissionDenied = 70;
constexpr long InvalidUseOfNull = 94;
constexpr long ItemNotFound = 3265;
constexpr long ObjectClosed = 3704;
constexpr long ObjectOpen = 3705;
constexpr long NoCurrentRecord = 3021;
constexpr long CancelSelected = 32755;
constexpr long ProviderFailure = -2147467259;   // 0x80004005: E_FAIL, key violation, bad file
constexpr long WrongPassword = -2147217843;     // 0x80040E4D
constexpr long MissingTable = -2147217865;      // 0x80040E37
constexpr long SyntaxError = -2147217900;       // 0x80040E14
constexpr long MissingParameter = -2147217904;  // 0x80040E10: unknown column
}  // namespace err

// A run-time error: number, description and source, like the error object of the windows'
// error handlers. Everything the program raises on purpose is one of these.
class Error : public std::exception {
  public:
    Error(long number, QString description, QString source = {});

    long Number() const noexcept { return number_; }
    const QString& Description() const noexcept { return description_; }
    const QString& Source() const noexcept { return source_; }
    const char* what() const noexcept override { return what_.constData(); }

  private:
    long number_;
    QString description_;
    QString source_;
    QByteArray what_;
};

// The standard description of a well-known error number ("Overflow", "Type mismatch", ...);
// an empty text for numbers without one.
QString defaultDescription(long number);

[[noreturn]] void raise(long number, const QString& source = {});
[[noreturn]] void raise(long number, const QString& description, const QString& source);

}  // namespace rt
