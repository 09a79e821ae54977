#include "runtime/Error.h"

namespace rt {

Error::Error(long number, QString description, QString source)
    : number_(number),
      description_(std::move(description)),
      source_(std::move(source)),
      what_(QStringLiteral("Error %1: %2").arg(number_).arg(description_).toUtf8()) {}

QString defaultDescription(long number) {
    switch (number) {
        case err::InvalidProcedureCall:
            return QStringLiteral("Invalid procedure call or argument");
        case err::Overflow:
            return QStringLiteral("Overflow");
        case err::SubscriptOutOfRange:
            return QStringLiteral("Subscript out of range");
        case err::DivisionByZero:
            return QStringLiteral("Division by zero");
        case err::TypeMismatch:
            return QStringLiteral("Type mismatch");
        case err::BadFileNameOrNumber:
            return QStringLiteral("Bad file name or number");
        case err::FileNotFound:
            return QStringLiteral("File not found");
        case err::PermissionDenied:
            return QStringLiteral("Permission denied");
        case err::PathNotFound:
            return QStringLiteral("Path not found");
        case err::InvalidUseOfNull:
            return QStringLiteral("Invalid use of Null");
        case err::ItemNotFound:
            return QStringLiteral(
                "Item cannot be found in the collection corresponding to the requested name or "
                "ordinal.");
        case err::ObjectClosed:
            return QStringLiteral("Operation is not allowed when the object is closed.");
        case err::ObjectOpen:
            return QStringLiteral("Operation is not allowed when the object is open.");
        case err::NoCurrentRecord:
            return QStringLiteral(
                "Either BOF or EOF is True, or the current record has been deleted. Requested "
                "operation requires a current record.");
        case err::CancelSelected:
            return QStringLiteral("Cancel was selected.");
        case err::WrongPassword:
            return QStringLiteral("Not a valid password.");
        case err::ProviderFailure:
            return QStringLiteral("Unspecified error");
        default:
            return {};
    }
}

void raise(long number, const QString& source) {
    throw Error(number, defaultDescription(number), source);
}

void raise(long number, const QString& description, const QString& source) {
    throw Error(number, description, source);
}

}  // namespace rt
