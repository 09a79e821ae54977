#include "frame/ErrorHandler.h"

#include <QList>
#include <QPointer>

#include "frame/core.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "runtime/ErrorLog.h"
#include "ui/Constants.h"
#include "ui/Form.h"
#include "ui/Host.h"

namespace {

void appendRecord(const rt::Error& error, const QString& source) {
    rt::AppendErrorRecord(rt::App::dataFolder(), error.Number(), error.Description(), source);
}

// The windows whose person has been told of a failed read. A window that is unloaded and
// opened again is a new instance and tells again.
QList<QPointer<ui::Form>>& toldWindows() {
    static QList<QPointer<ui::Form>> windows;
    return windows;
}

bool toldAlready(ui::Form& window) {
    QList<QPointer<ui::Form>>& windows = toldWindows();
    windows.removeAll(QPointer<ui::Form>());
    for (const QPointer<ui::Form>& told : windows) {
        if (told == &window) {
            return true;
        }
    }
    windows.append(QPointer<ui::Form>(&window));
    return false;
}

void tell(const QString& what, const rt::Error& error) {
    ui::MsgBox(what + QStringLiteral(" could not be read: ") + error.Description(),
               ui::vbOKOnly | ui::vbExclamation, rt::App::Title());
}

// Why a write failed, in the person's words, as the middle of a sentence; empty for a cause
// that has none but the error's own description.
QString writeCause(const rt::Error& error) {
    // The file by its full name: the person may have more than one.
    const QString file = core::DataPath.isEmpty()
                             ? QStringLiteral("the data file")
                             : QStringLiteral("the data file ") + core::DataPath;
    switch (error.Number()) {
        case rt::err::DataFileReadOnly:
            return file + QStringLiteral(" cannot be written (it or its folder is read-only).");
        case rt::err::DataFileInUse:
            return QStringLiteral("another program is using ") + file + u'.';
        case rt::err::DiskFull:
            return QStringLiteral("the disk that holds ") + file + QStringLiteral(" is full.");
        case rt::err::DataFileDamaged:
            return file + QStringLiteral(" is damaged, so nothing is written to it.");
        case rt::err::DiskError:
            return QStringLiteral("the disk failed while ") + file +
                   QStringLiteral(" was read or written.");
        default:
            return {};
    }
}

// The one place that catches and logs: runs the read, treats "no current record" as an
// empty result, and hands any other error, once logged, to failed.
bool guarded(const QString& source, const std::function<void()>& read,
             const std::function<void(const rt::Error&)>& failed) {
    try {
        read();
        return true;
    } catch (const rt::Error& error) {
        if (error.Number() == rt::err::NoCurrentRecord) {
            return true;
        }
        frame::logError(error, source);
        if (failed) {
            failed(error);
        }
        return false;
    }
}

}  // namespace

void ErrorHandler::handleError(const rt::Error& error, QString& source, QString& extra) {
    Q_UNUSED(source);
    Q_UNUSED(extra);
    // An error raised by the program itself carries no source of its own; the program's
    // name stands for it, as it did for every run-time error.
    appendRecord(error, error.Source().isEmpty() ? rt::App::Title() : error.Source());
}

namespace frame {

void logError(const rt::Error& error, const QString& source) {
    appendRecord(error, error.Source().isEmpty()
                            ? source
                            : source + QStringLiteral(" (") + error.Source() + u')');
}

bool readOrTell(ui::Form& window, const QString& what, const QString& source,
                const std::function<void()>& read) {
    QPointer<ui::Form> guard(&window);
    return guarded(source, read, [&](const rt::Error& error) {
        if (guard && !toldAlready(window)) {
            tell(what, error);
        }
    });
}

bool readOrRefuse(const QString& what, const QString& source, const std::function<void()>& read) {
    return guarded(source, read, [&](const rt::Error& error) { tell(what, error); });
}

void tellWriteFailure(const QString& what, const rt::Error& error, const QString& source) {
    logError(error, source);
    QString cause = writeCause(error);
    if (cause.isEmpty()) {
        cause = error.Description();
    } else if (!what.endsWith(QLatin1String(": "))) {
        cause[0] = cause[0].toUpper();
    }
    ui::MsgBox(what.endsWith(u' ') ? what + cause : what + u'\n' + cause,
               ui::vbOKOnly | ui::vbExclamation, rt::App::Title());
}

bool passOver(const QString& source, const std::function<void()>& step) {
    return guarded(source, step, {});
}

bool isConversionError(const rt::Error& error) {
    return error.Number() == rt::err::TypeMismatch || error.Number() == rt::err::Overflow;
}

}  // namespace frame
