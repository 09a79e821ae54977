#include "runtime/Error.h"

namespace rt {

Error::Error(long number, QString description, QString source)
    : number_(number),
      description_(std::move(description)),
      source_(std::move(source)),
      what_(QStringLiteral("Error %1: %2").arg(number_).arg(description_).toUtf8()) {}

namespace {

struct Description {
    long number;
    const char* text;
};

// The one table of the standard texts.
constexpr Description kDescriptions[] = {
    {err::InvalidProcedureCall, "Invalid procedure call or argument"},
    {err::Overflow, "Overflow"},
    {err::OutOfMemory, "Out of memory"},
    {err::SubscriptOutOfRange, "Subscript out of range"},
    {err::DivisionByZero, "Division by zero"},
    {err::TypeMismatch, "Type mismatch"},
    {err::InternalError, "Internal error"},
    {err::BadFileNameOrNumber, "Bad file name or number"},
    {err::FileNotFound, "File not found"},
    {err::DiskFull, "Disk full"},
    {err::PermissionDenied, "Permission denied"},
    {err::PathFileAccessError, "Path/File access error"},
    {err::PathNotFound, "Path not found"},
    {err::InvalidUseOfNull, "Invalid use of Null"},
    {err::ControlArrayElementMissing, "Control array element doesn't exist"},
    {err::ObjectAlreadyLoaded, "Object already loaded"},
    {err::InvalidPropertyValue, "Invalid property value"},
    {err::TextReadOnly, "'Text' property is read-only"},
    {err::FormAlreadyDisplayed, "Form already displayed; can't show modally"},
    {err::ModalFormDisplayed, "Can't show non-modal form when modal form is displayed"},
    {err::MdiChildModal, "MDI child forms cannot be shown modally"},
    {err::InvalidPicture, "Invalid picture"},
    {err::PrinterError, "Printer error"},
    {err::CancelSelected, "Cancel was selected."},
    {err::IndexOutOfBounds, "Index out of bounds"},
    {err::ElementNotFound, "Element not found"},
    {err::KeyNotUnique, "Key is not unique in collection"},
    {err::ImageListNotInitialized, "ImageList must be initialized before it can be used"},
    {err::ListViewNotDefined, "List View Not Defined"},
    {err::BadArguments,
     "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
     "another."},
    {err::NoCurrentRecord,
     "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
     "requires a current record."},
    {err::DataFileReadOnly, "Cannot update. Database or object is read-only."},
    {err::DiskError, "Disk or network error."},
    {err::DataFileInUse, "Could not use the data file; file already in use."},
    {err::DataFileDamaged, "The data file is damaged."},
    {err::OperationNotAllowed, "Operation is not allowed in this context."},
    {err::ItemNotFound,
     "Item cannot be found in the collection corresponding to the requested name or ordinal."},
    {err::ObjectClosed, "Operation is not allowed when the object is closed."},
    {err::ObjectOpen, "Operation is not allowed when the object is open."},
    {err::ConnectionUnusable,
     "The connection cannot be used to perform this operation. It is either closed or invalid in "
     "this context."},
    {err::ProviderFailure, "Unspecified error"},
    {err::WrongPassword, "Not a valid password."},
    {err::MissingTable, "Cannot find the table or query."},
    {err::SyntaxError, "Syntax error in SQL statement."},
    {err::MissingParameter, "No value given for one or more required parameters."},
};

}  // namespace

QString defaultDescription(long number) {
    for (const Description& entry : kDescriptions) {
        if (entry.number == number) {
            return QString::fromUtf8(entry.text);
        }
    }
    return {};
}

void raise(long number, const QString& source) {
    throw Error(number, defaultDescription(number), source);
}

void raise(long number, const QString& description, const QString& source) {
    throw Error(number, description, source);
}

}  // namespace rt
