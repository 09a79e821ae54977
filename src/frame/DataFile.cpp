#include "frame/DataFile.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/EarlierDataFile.h"
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
        // Only looked into: a start does not wait for a check of an earlier file, whose copy is
        // checked as it is opened.
        cn.Open(file, password(), {.readOnly = true, .check = db::Check::None});
        db::Recordset rs;
        rs.Open(QString::fromLatin1(kHoldsEntriesQuery), cn);
        return rs.Fields(0).Value().toLong() != 0;
    } catch (const rt::Error& error) {
        // Taken for one without entries: the template is copied all the same, and opening the
        // copy then says what is wrong with it; a kept earlier file stays where it is. The log
        // keeps why it was not looked into.
        ErrorHandler handler;
        QString source = QStringLiteral("frame::WorkingDataFile");
        QString extra;
        handler.handleError(error, source, extra);
        return false;
    }
}

// The copy is written under a name of its own in the person's folder and takes its name only
// once it is whole and theirs alone, never over a file that is there: a start that stops half
// way leaves nothing that could be taken for the person's file.
void CopyTemplate(const QString& from, const QString& to) {
    const auto fail = [&](const QString& reason) {
        rt::raise(rt::err::PathFileAccessError,
                  QStringLiteral("Kelvora could not make your data file %1 from %2: %3")
                      .arg(to, from, reason),
                  QStringLiteral("frame::WorkingDataFile"));
    };
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("the folder %1 cannot be made").arg(folder));
    }
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        fail(source.errorString());
    }
    // Made for the owner alone, and removed again unless it takes its place.
    QTemporaryFile copy(to + QStringLiteral(".XXXXXX"));
    if (!copy.open()) {
        fail(copy.errorString());
    }
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() || copy.write(chunk) != chunk.size()) {
            fail(chunk.isEmpty() ? source.errorString() : copy.errorString());
        }
    }
    // On the disk before it takes the name: once it has, it is the only file the person has.
    if (!copy.flush()) {
        fail(copy.errorString());
    }
    if (::fsync(copy.handle()) != 0) {
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!copy.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        fail(QStringLiteral("it cannot be made yours alone: ") + copy.errorString());
    }
    copy.close();
    QString reason;
    if (!MoveWithoutReplacing(copy.fileName(), to, &reason)) {
        fail(reason);
    }
    copy.setAutoRemove(false);
}

// True when path and file name one file, however either is written (a link, "..", a doubled
// slash), also while it is not there yet.
bool NamesFile(const QString& path, const QString& file) {
    const QFileInfo given(path);
    const QFileInfo named(file);
    if (QDir::cleanPath(given.absoluteFilePath()) == QDir::cleanPath(named.absoluteFilePath())) {
        return true;
    }
    if (given.exists() || named.exists()) {
        return given.exists() && named.exists() &&
               given.canonicalFilePath() == named.canonicalFilePath();
    }
    const QString folder = QFileInfo(given.absolutePath()).canonicalFilePath();
    return given.fileName() == named.fileName() && !folder.isEmpty() &&
           folder == QFileInfo(named.absolutePath()).canonicalFilePath();
}

void TellCarriedOver(const QString& from, const QString& own) {
    ui::MsgBox(QStringLiteral("Kelvora now keeps your data in ") + own +
                   QStringLiteral(". The members, diary entries and foods you entered in ") + from +
                   QStringLiteral(" have been copied there, so that a new build of Kelvora "
                                  "can no longer replace them."),
               ui::vbOKOnly | ui::vbInformation, rt::App::Title());
}

}  // namespace

QString SetAsideDamaged(const QString& file) {
    QString kept = file + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo::exists(kept + QStringLiteral("-journal"));
         ++n) {
        kept = file + QStringLiteral(".damaged-") + QString::number(n);
    }
    QString reason;
    if (!MoveDataFile(file, kept, &reason)) {
        rt::raise(rt::err::PathFileAccessError,
                  QStringLiteral("Kelvora could not set the damaged data file %1 aside as %2: %3")
                      .arg(file, kept, reason),
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
    return NamesFile(path, DeliveredDataFile());
}

bool IsUserDataFile(const QString& path) {
    return NamesFile(path, UserDataFile());
}

QString WorkingDataFile(const QString& dataPath) {
    const QString own = UserDataFile();
    if (!dataPath.isEmpty() && !IsDeliveredDataFile(dataPath) && !IsUserDataFile(dataPath)) {
        return dataPath;
    }
    if (QFileInfo::exists(own)) {
        return own;
    }
    const QString delivered = DeliveredDataFile();
    const QString earlier = NewestEarlierFile(delivered);
    if (!earlier.isEmpty() && HoldsEntries(earlier)) {
        CopyTemplate(earlier, own);
        // Renamed so that a start after the person's file has gone makes a fresh one. A
        // program folder that may not be written keeps the name: it is carried over again
        // then, and nothing is lost either way.
        MoveWithoutReplacing(earlier, CarriedName(earlier));
        TellCarriedOver(earlier, own);
        return own;
    }
    // Without a template there is nothing to start from: opening the missing file then asks
    // for one.
    if (!QFileInfo::exists(delivered)) {
        return own;
    }
    const bool entries = HoldsEntries(delivered);
    CopyTemplate(delivered, own);
    if (entries) {
        TellCarriedOver(delivered, own);
    }
    return own;
}

void CopyTemplateTo(const QString& to) {
    CopyTemplate(DeliveredDataFile(), to);
}

}  // namespace frame
