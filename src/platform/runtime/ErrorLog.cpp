#include "runtime/ErrorLog.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

namespace rt {

bool AppendErrorRecord(const QString& folder, long number, const QString& description,
                       const QString& source) {
    try {
        // An empty folder would put the log at the root of the file system.
        if (folder.isEmpty()) {
            return false;
        }
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        const QString crlf = QStringLiteral("\r\n");
        const QString record = QStringLiteral("An Error was raised on ") +
                               locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
                               locale.toString(now.time(), QLocale::ShortFormat) + crlf +
                               QStringLiteral("=====Error Number = ") + QString::number(number) +
                               crlf + QStringLiteral("=====Error Desc = ") + description + crlf +
                               QStringLiteral("=====Error Source = ") + source + crlf;
        const QByteArray bytes = record.toUtf8();

        QFile file(folder + QStringLiteral("/report.Log"));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            return false;
        }
        const bool written = file.write(bytes) == bytes.size() && file.flush();
        file.close();
        return written && file.error() == QFileDevice::NoError;
    } catch (...) {
        return false;
    }
}

}  // namespace rt
