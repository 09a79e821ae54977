#include "frame/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"

namespace frame {
namespace {

QString password() {
    return QString::fromLatin1(kDatabasePassword);
}

// Until this layout, the template beside the program was the file people worked in. Whatever
// they entered there is carried over; the file is only looked at, never written.
bool HoldsEntries(const QString& file) {
    try {
        db::Connection cn;
        cn.Open(file, password(), {.readOnly = true});
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT EXISTS (SELECT 1 FROM usr) OR EXISTS (SELECT 1 FROM dayin) "
                               "OR EXISTS (SELECT 1 FROM food WHERE PrimeOrNot = 'U')"),
                cn);
        return rs.Fields(0).Value().toLong() != 0;
    } catch (const rt::Error& error) {
        // It is copied all the same, so that nothing in it is lost; opening the copy then says
        // what is wrong with it. The log keeps why it was not looked into.
        ErrorHandler handler;
        QString source = QStringLiteral("frame::WorkingDataFile");
        QString extra;
        handler.handleError(error, source, extra);
        return false;
    }
}

void CopyTemplate(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile source(from);
    // The copy is made under a temporary name and then renamed, never over an existing file.
    if (!source.copy(to)) {
        rt::raise(rt::err::PathFileAccessError,
                  QStringLiteral("Kelvora could not make your data file %1 from %2: %3")
                      .arg(to, from, source.errorString()),
                  QStringLiteral("frame::WorkingDataFile"));
    }
    // The copy takes the template's read-only mode; the person's file is theirs alone.
    QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace

void CopyTemplateTo(const QString& to) {
    CopyTemplate(DeliveredDataFile(), to);
}

QString SetAsideDamaged(const QString& file) {
    QString kept = file + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo::exists(kept + QStringLiteral("-journal"));
         ++n) {
        kept = file + QStringLiteral(".damaged-") + QString::number(n);
    }
    QFile damaged(file);
    if (!damaged.rename(kept)) {
        rt::raise(rt::err::PathFileAccessError,
                  QStringLiteral("Kelvora could not set the damaged data file %1 aside as %2: %3")
                      .arg(file, kept, damaged.errorString()),
                  QStringLiteral("frame::SetAsideDamaged"));
    }
    // A journal left beside the name belongs to the damaged file: a fresh file under that name
    // would take it for its own and play it back.
    const QString journal = file + QStringLiteral("-journal");
    if (QFileInfo::exists(journal) && !QFile::rename(journal, kept + QStringLiteral("-journal"))) {
        rt::raise(rt::err::PathFileAccessError,
                  QStringLiteral("Kelvora set the damaged data file %1 aside as %2, but could not "
                                 "move its journal %3 with it.")
                      .arg(file, kept, journal),
                  QStringLiteral("frame::SetAsideDamaged"));
    }
    return kept;
}

QString DeliveredDataFile() {
    return rt::App::Path() + QLatin1Char('/') + QLatin1String(kDataFileName);
}

QString UserDataFile() {
    return rt::App::dataFolder() + QLatin1Char('/') + QLatin1String(kDataFileName);
}

bool IsDeliveredDataFile(const QString& path) {
    const QFileInfo given(path);
    const QFileInfo delivered(DeliveredDataFile());
    if (given.absoluteFilePath() == delivered.absoluteFilePath()) {
        return true;
    }
    // Another spelling of the same file (a link, "..", a doubled slash).
    return given.exists() && delivered.exists() &&
           given.canonicalFilePath() == delivered.canonicalFilePath();
}

QString WorkingDataFile(const QString& dataPath) {
    if (!dataPath.isEmpty() && !IsDeliveredDataFile(dataPath)) {
        return dataPath;
    }
    const QString own = UserDataFile();
    const QString delivered = DeliveredDataFile();
    // Without a template there is nothing to start from: opening the missing file then asks
    // for one.
    if (QFileInfo::exists(own) || !QFileInfo::exists(delivered)) {
        return own;
    }
    const bool entries = HoldsEntries(delivered);
    CopyTemplate(delivered, own);
    if (entries) {
        ui::MsgBox(QStringLiteral("Kelvora now keeps your data in ") + own +
                       QStringLiteral(". The members, diary entries and foods you entered in ") +
                       delivered +
                       QStringLiteral(" have been copied there, so that a new build of Kelvora "
                                      "can no longer replace them."),
                   ui::vbOKOnly | ui::vbInformation, rt::App::Title());
    }
    return own;
}

}  // namespace frame
