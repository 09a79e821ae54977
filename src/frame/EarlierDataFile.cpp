#include "frame/EarlierDataFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace frame {
namespace {

const QLatin1String kEarlier(".earlier");
const QLatin1String kCarried(".copied");

struct Kept {
    int number;
    bool carried;
    QString path;
};

// Every name beside file that it has been kept under, carried over or not.
std::vector<Kept> keptNames(const QString& file) {
    const QFileInfo info(file);
    const QRegularExpression pattern(QLatin1Char('^') +
                                     QRegularExpression::escape(info.fileName() + kEarlier) +
                                     QStringLiteral("(?:\\.([1-9][0-9]{0,8}))?(") +
                                     QRegularExpression::escape(kCarried) + QStringLiteral(")?$"));
    const QDir folder = info.absoluteDir();
    std::vector<Kept> kept;
    const QStringList names = folder.entryList({info.fileName() + kEarlier + QLatin1Char('*')},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (match.hasMatch()) {
            const int number = match.hasCaptured(1) ? match.captured(1).toInt() : 1;
            kept.push_back({number, match.hasCaptured(2), folder.filePath(name)});
        }
    }
    std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) {
        // A number that stands carried over as well is done with.
        return a.number != b.number ? a.number > b.number : a.carried > b.carried;
    });
    return kept;
}

bool failed(QString* reason, int error) {
    if (reason) {
        *reason = QString::fromLocal8Bit(std::strerror(error));
    }
    return false;
}

}  // namespace

QString NextEarlierName(const QString& file) {
    const std::vector<Kept> kept = keptNames(file);
    const QString first = file + kEarlier;
    return kept.empty() ? first
                        : first + QLatin1Char('.') + QString::number(kept.front().number + 1);
}

QString NewestEarlierFile(const QString& file) {
    const std::vector<Kept> kept = keptNames(file);
    return kept.empty() || kept.front().carried ? QString() : kept.front().path;
}

QString CarriedName(const QString& earlier) {
    return earlier + kCarried;
}

bool MoveWithoutReplacing(const QString& from, const QString& to, QString* reason) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return failed(reason, errno);
    }
    // A file system that cannot rename that way: a second name refuses one that is there too.
    if (::link(source.constData(), target.constData()) != 0) {
        return failed(reason, errno);
    }
    if (::unlink(source.constData()) != 0) {
        const int error = errno;
        ::unlink(target.constData());
        return failed(reason, error);
    }
    return true;
}

bool MoveDataFile(const QString& from, const QString& to, QString* reason) {
    for (const QString& suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal")}) {
        if ((suffix.isEmpty() || QFileInfo::exists(from + suffix)) &&
            !MoveWithoutReplacing(from + suffix, to + suffix, reason)) {
            *reason = QStringLiteral("%1: %2").arg(from + suffix, *reason);
            return false;
        }
    }
    return true;
}

}  // namespace frame
