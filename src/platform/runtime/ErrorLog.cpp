#include "runtime/ErrorLog.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <cstdio>

namespace rt {
namespace {

// The record that the log file could not take goes to standard error, so that it is not lost
// without a trace: a line naming the log and why, then the record's lines.
void writeToStandardError(const QString& logFile, const QString& why, const QString& record) {
    QString text = QStringLiteral("Kelvora: the error log ") + logFile +
                   QStringLiteral(" could not be written (") + why +
                   QStringLiteral("); the record follows.\n") + record;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

}  // namespace

bool AppendErrorRecord(const QString& folder, long number, const QString& description,
                       const QString& source) {
    try {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        const QString crlf = QStringLiteral("\r\n");
        const QString record = QStringLiteral("An Error was raised on ") +
                               locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                               locale.toString(now.time(), QLocale::ShortFormat) + crlf +
                               QStringLiteral("=====Error Number = ") + QString::number(number) +
                               crlf + QStringLiteral("=====Error Desc = ") + description + crlf +
                               QStringLiteral("=====Error Source = ") + source + crlf;
        // An empty folder would put the log at the root of the file system.
        if (folder.isEmpty()) {
            writeToStandardError(QStringLiteral("report.Log"),
                                 QStringLiteral("no folder is known for it"), record);
            return false;
        }
        const QByteArray bytes = record.toUtf8();
        QFile file(folder + QStringLiteral("/report.Log"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            writeToStandardError(file.fileName(), file.errorString(), record);
            return false;
        }
        const bool written = file.write(bytes) == bytes.size() && file.flush();
        const QString why = file.errorString();
        file.close();
        if (!written || file.error() != QFileDevice::NoError) {
            writeToStandardError(file.fileName(), why, record);
            return false;
        }
        return true;
    } catch (...) {
        // Not even the record could be made (no memory): the number is all that is left.
        std::fprintf(stderr, "Kelvora: error %ld could not be written to report.Log\n", number);
        return false;
    }
}

}  // namespace rt
