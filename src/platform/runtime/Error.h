#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace rt {

// Every error number the program raises or a window tests for, by one name. They keep the
// numbers of the platform the windows were first written for, so that handlers read the same as
// their descriptions. Their standard texts are in one table (defaultDescription).
namespace err {
// run-time and file errors
constexpr long InvalidProcedureCall = 5;
constexpr long Overflow = 6;
constexpr long OutOfMemory = 7;
constexpr long SubscriptOutOfRange = 9;
constexpr long DivisionByZero = 11;
constexpr long TypeMismatch = 13;
constexpr long InternalError = 51;
constexpr long BadFileNameOrNumber = 52;
constexpr long FileNotFound = 53;
constexpr long DiskFull = 61;
constexpr long PermissionDenied = 70;
constexpr long PathFileAccessError = 75;
constexpr long PathNotFound = 76;
constexpr long InvalidUseOfNull = 94;
// windows and controls
constexpr long ControlArrayElementMissing = 340;
constexpr long ObjectAlreadyLoaded = 360;
constexpr long InvalidPropertyValue = 380;
constexpr long TextReadOnly = 383;
constexpr long FormAlreadyDisplayed = 400;  // shown modally while visible
constexpr long ModalFormDisplayed = 401;    // shown modeless over a modal window
constexpr long MdiChildModal = 403;
constexpr long InvalidPicture = 481;
constexpr long PrinterError = 482;
constexpr long CancelSelected = 32755;
constexpr long IndexOutOfBounds = 35600;
constexpr long ElementNotFound = 35601;
constexpr long KeyNotUnique = 35602;
constexpr long ImageListNotInitialized = 35613;
// the list output's own
constexpr long ListViewNotDefined = 9888888;
// data
constexpr long BadArguments = 3001;
constexpr long NoCurrentRecord = 3021;
constexpr long DataFileReadOnly = 3027;     // the file or its folder may not be written
constexpr long DiskError = 3043;            // the disk failed to read or write
constexpr long DataFileInUse = 3045;        // locked by another program beyond the wait
constexpr long DataFileDamaged = 3049;      // fails the integrity check
constexpr long OperationNotAllowed = 3219;  // e.g. closing the file in a transaction
constexpr long ItemNotFound = 3265;
constexpr long ObjectClosed = 3704;
constexpr long ObjectOpen = 3705;
constexpr long ConnectionUnusable = 3709;
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

// The standard description of an error number of rt::err ("Overflow", "Type mismatch", ...);
// an empty text for other numbers.
QString defaultDescription(long number);

[[noreturn]] void raise(long number, const QString& source = {});
[[noreturn]] void raise(long number, const QString& description, const QString& source);

}  // namespace rt
