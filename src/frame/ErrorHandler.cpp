#include "frame/ErrorHandler.h"

#include <QList>
#include <QPointer>

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

bool passOver(const QString& source, const std::function<void()>& step) {
    return guarded(source, step, {});
}

bool isConversionError(const rt::Error& error) {
    return error.Number() == rt::err::TypeMismatch || error.Number() == rt::err::Overflow;
}

}  // namespace frame
