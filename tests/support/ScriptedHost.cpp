#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include "runtime/App.h"
#include "ui/Menu.h"

namespace {

enum class Kind { MsgBox, OpenDialog, SaveDialog, ColorDialog, Modal, PopupMenu, Desktop, End };

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    escaped.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

// The answer a person who is unsure gives: Cancel, else No, else Abort, else OK.
int cautiousAnswer(int buttons) {
    switch (buttons & 7) {
        case ui::vbOKOnly:
            return ui::vbOK;
        case ui::vbYesNo:
            return ui::vbNo;
        case ui::vbAbortRetryIgnore:
            return ui::vbAbort;
        default:
            return ui::vbCancel;
    }
}

}  // namespace

struct ScriptedHost::Expectation {
    Kind kind;
    QString text;  // prompt, form name, menu name, file or address
    std::optional<int> buttons;
    std::optional<QString> title;
    std::optional<int> reply;
    std::optional<QString> path;
    std::optional<qint32> color;
    std::optional<QString> choice;
    bool opened = true;
    bool called = false;
    ui::FileDialogRequest request;
    qint32 initial = 0;
    std::function<bool(ui::Form&)> matchesForm;
    std::function<bool(const QString&)> matchesFile;
    std::function<void(ui::Form&)> act;
    std::function<void()> meanwhile;

    QString describe() const {
        switch (kind) {
            case Kind::MsgBox: {
                QString line = QStringLiteral("MsgBox %1").arg(quoted(text));
                if (buttons) {
                    line += QStringLiteral(" buttons=%1").arg(*buttons);
                }
                if (title) {
                    line += QStringLiteral(" title=%1").arg(quoted(*title));
                }
                return line;
            }
            case Kind::OpenDialog:
                return QStringLiteral("OpenFileDialog");
            case Kind::SaveDialog:
                return QStringLiteral("SaveFileDialog");
            case Kind::ColorDialog:
                return QStringLiteral("ColorDialog");
            case Kind::Modal:
                return QStringLiteral("RunModal %1").arg(text);
            case Kind::PopupMenu:
                return QStringLiteral("PopupMenu %1").arg(text);
            case Kind::Desktop:
                return matchesFile ? QStringLiteral("OpenWithDesktop (%1)").arg(text)
                                   : QStringLiteral("OpenWithDesktop %1").arg(quoted(text));
            case Kind::End:
                return QStringLiteral("End");
        }
        return {};
    }
};

// ---- replies ---------------------------------------------------------------------------------

ScriptedHost::MsgBoxReply& ScriptedHost::MsgBoxReply::answer(int reply) {
    e_->reply = reply;
    return *this;
}

ScriptedHost::MsgBoxReply& ScriptedHost::MsgBoxReply::meanwhile(std::function<void()> act) {
    e_->meanwhile = std::move(act);
    return *this;
}

ScriptedHost::FileReply& ScriptedHost::FileReply::answer(const QString& path) {
    e_->path = path;
    return *this;
}

ScriptedHost::FileReply& ScriptedHost::FileReply::cancel() {
    e_->path.reset();
    return *this;
}

const ui::FileDialogRequest& ScriptedHost::FileReply::request() const {
    return e_->request;
}

bool ScriptedHost::FileReply::called() const {
    return e_->called;
}

ScriptedHost::ColorReply& ScriptedHost::ColorReply::answer(qint32 color) {
    e_->color = color;
    return *this;
}

ScriptedHost::ColorReply& ScriptedHost::ColorReply::cancel() {
    e_->color.reset();
    return *this;
}

qint32 ScriptedHost::ColorReply::initial() const {
    return e_->initial;
}

ScriptedHost::PopupReply& ScriptedHost::PopupReply::choose(const QString& itemName) {
    e_->choice = itemName;
    return *this;
}

ScriptedHost::PopupReply& ScriptedHost::PopupReply::dismiss() {
    e_->choice.reset();
    return *this;
}

ScriptedHost::DesktopReply& ScriptedHost::DesktopReply::answer(bool opened) {
    e_->opened = opened;
    return *this;
}

// ---- set-up ----------------------------------------------------------------------------------

ScriptedHost::ScriptedHost() : previous_(ui::installedHost()) {
    ui::Screen::resetMousePointer();
    ui::setHost(this);
    rt::App::setEndHandler([] { ui::host().End(); });
}

ScriptedHost::~ScriptedHost() {
    verify();
    // What the test left open goes, so that the next test starts with fresh default instances.
    ui::Forms::discardAll();
    if (ui::detail::eventDepth() == 0) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::detail::collectGarbage();
    }
    ui::Screen::resetMousePointer();
    ui::finishEnd();
    ui::setHost(previous_);
    if (previous_ == nullptr) {
        rt::App::setEndHandler({});
    }
}

ScriptedHost::Expectation* ScriptedHost::add(std::unique_ptr<Expectation> expectation) {
    Expectation* raw = expectation.get();
    pending_.push_back(std::move(expectation));
    return raw;
}

ScriptedHost::MsgBoxReply ScriptedHost::expectMsgBox(const QString& prompt,
                                                     std::optional<int> buttons,
                                                     std::optional<QString> title) {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::MsgBox;
    e->text = prompt;
    e->buttons = buttons;
    e->title = std::move(title);
    return MsgBoxReply(add(std::move(e)));
}

ScriptedHost::FileReply ScriptedHost::expectOpenDialog() {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::OpenDialog;
    return FileReply(add(std::move(e)));
}

ScriptedHost::FileReply ScriptedHost::expectSaveDialog() {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::SaveDialog;
    return FileReply(add(std::move(e)));
}

ScriptedHost::ColorReply ScriptedHost::expectColorDialog() {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::ColorDialog;
    return ColorReply(add(std::move(e)));
}

void ScriptedHost::addModal(const QString& name, std::function<bool(ui::Form&)> matches,
                            std::function<void(ui::Form&)> act) {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::Modal;
    e->text = name;
    e->matchesForm = std::move(matches);
    e->act = std::move(act);
    add(std::move(e));
}

void ScriptedHost::expectModal(const QString& formName, std::function<void(ui::Form&)> act) {
    addModal(
        formName, [formName](ui::Form& form) { return form.Name() == formName; }, std::move(act));
}

ScriptedHost::PopupReply ScriptedHost::expectPopupMenu(const QString& menuName) {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::PopupMenu;
    e->text = menuName;
    return PopupReply(add(std::move(e)));
}

ScriptedHost::DesktopReply ScriptedHost::expectOpenWithDesktop(const QString& fileOrUrl) {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::Desktop;
    e->text = fileOrUrl;
    return DesktopReply(add(std::move(e)));
}

ScriptedHost::DesktopReply ScriptedHost::expectOpenWithDesktop(
    const QString& description, std::function<bool(const QString&)> matches) {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::Desktop;
    e->text = description;
    e->matchesFile = std::move(matches);
    return DesktopReply(add(std::move(e)));
}

void ScriptedHost::expectEnd() {
    auto e = std::make_unique<Expectation>();
    e->kind = Kind::End;
    add(std::move(e));
}

void ScriptedHost::verify() {
    for (const auto& e : pending_) {
        ADD_FAILURE() << "Expected call never came: " << e->describe().toStdString();
    }
    pending_.clear();
}

std::unique_ptr<ScriptedHost::Expectation> ScriptedHost::take(
    const QString& call, const std::function<bool(const Expectation&)>& matches) {
    calls_.append(call);
    if (pending_.empty()) {
        ADD_FAILURE() << "Unexpected call: " << call.toStdString() << "\n  expected: no more calls";
        return nullptr;
    }
    if (!matches(*pending_.front())) {
        ADD_FAILURE() << "Unexpected call: " << call.toStdString()
                      << "\n  expected: " << pending_.front()->describe().toStdString();
        return nullptr;
    }
    std::unique_ptr<Expectation> e = std::move(pending_.front());
    pending_.pop_front();
    e->called = true;
    return e;
}

// ---- the host --------------------------------------------------------------------------------

int ScriptedHost::MsgBox(const QString& prompt, int buttons, const QString& title) {
    const QString call = QStringLiteral("MsgBox %1 buttons=%2 title=%3")
                             .arg(quoted(prompt))
                             .arg(buttons)
                             .arg(quoted(title));
    auto e = take(call, [&](const Expectation& x) {
        return x.kind == Kind::MsgBox && x.text == prompt &&
               (!x.buttons || *x.buttons == buttons) && (!x.title || *x.title == title);
    });
    if (!e) {
        return cautiousAnswer(buttons);
    }
    const int reply = e->reply.value_or(cautiousAnswer(buttons));
    const std::function<void()> meanwhile = e->meanwhile;
    met_.push_back(std::move(e));
    if (meanwhile) {
        meanwhile();
    }
    return reply;
}

std::optional<QString> ScriptedHost::fileDialog(const ui::FileDialogRequest& request, bool save) {
    const Kind kind = save ? Kind::SaveDialog : Kind::OpenDialog;
    const QString call =
        QStringLiteral("%1 filter=%2 file=%3")
            .arg(save ? QStringLiteral("SaveFileDialog") : QStringLiteral("OpenFileDialog"))
            .arg(quoted(request.Filter))
            .arg(quoted(request.FileName));
    auto e = take(call, [&](const Expectation& x) { return x.kind == kind; });
    if (!e) {
        return std::nullopt;
    }
    e->request = request;
    std::optional<QString> reply = e->path;
    met_.push_back(std::move(e));
    return reply;
}

std::optional<QString> ScriptedHost::OpenFileDialog(const ui::FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<QString> ScriptedHost::SaveFileDialog(const ui::FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<qint32> ScriptedHost::ColorDialog(qint32 initial) {
    auto e = take(QStringLiteral("ColorDialog initial=%1").arg(initial),
                  [](const Expectation& x) { return x.kind == Kind::ColorDialog; });
    if (!e) {
        return std::nullopt;
    }
    e->initial = initial;
    std::optional<qint32> reply = e->color;
    met_.push_back(std::move(e));
    return reply;
}

void ScriptedHost::RunModal(ui::Form& form) {
    const QString name = form.Name();
    auto e = take(QStringLiteral("RunModal %1").arg(name), [&](const Expectation& x) {
        return x.kind == Kind::Modal && x.matchesForm && x.matchesForm(form);
    });
    QPointer<ui::Form> guard(&form);
    if (e) {
        Expectation* raw = e.get();
        met_.push_back(std::move(e));
        raw->act(form);
        if (guard && guard->isFormLoaded() && guard->Visible()) {
            ADD_FAILURE() << "The modal window " << name.toStdString()
                          << " was still shown when the script's callback returned";
        } else {
            return;
        }
    }
    // A modal window nobody scripted is closed at once, without its events.
    if (guard && !guard->isUnloaded()) {
        ui::detail::discard(*guard);
    }
}

void ScriptedHost::PopupMenu(ui::Menu& menu) {
    auto e = take(QStringLiteral("PopupMenu %1").arg(menu.Name()), [&](const Expectation& x) {
        return x.kind == Kind::PopupMenu && x.text == menu.Name();
    });
    if (!e || !e->choice) {
        if (e) {
            met_.push_back(std::move(e));
        }
        return;
    }
    const QString choice = *e->choice;
    met_.push_back(std::move(e));
    ui::Menu* item = menu.item(choice);
    if (item == nullptr) {
        ADD_FAILURE() << "The popup menu " << menu.Name().toStdString() << " has no item "
                      << choice.toStdString();
        return;
    }
    struct Showing {
        ui::Menu& menu;
        explicit Showing(ui::Menu& m) : menu(m) { menu.setPoppedUp(true); }
        ~Showing() { menu.setPoppedUp(false); }
    } showing(menu);
    if (!item->canAct()) {
        ADD_FAILURE() << "The item " << choice.toStdString() << " of the popup menu "
                      << menu.Name().toStdString() << " cannot be chosen (disabled or hidden)";
        return;
    }
    item->choose();
}

void ScriptedHost::SetBusy(bool on) {
    busyHistory_.append(on);
    if (on) {
        ++busyDepth_;
        ++busyCount_;
    } else if (busyDepth_ > 0) {
        --busyDepth_;
    }
}

bool ScriptedHost::OpenWithDesktop(const QString& fileOrUrl) {
    auto e = take(QStringLiteral("OpenWithDesktop %1").arg(quoted(fileOrUrl)),
                  [&](const Expectation& x) {
                      return x.kind == Kind::Desktop &&
                             (x.matchesFile ? x.matchesFile(fileOrUrl) : x.text == fileOrUrl);
                  });
    if (!e) {
        return false;
    }
    const bool opened = e->opened;
    met_.push_back(std::move(e));
    return opened;
}

void ScriptedHost::DoEvents() {
    QCoreApplication::processEvents();
    if (ui::detail::eventDepth() == 0) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::detail::collectGarbage();
    }
}

void ScriptedHost::End() {
    auto e = take(QStringLiteral("End"), [](const Expectation& x) { return x.kind == Kind::End; });
    if (e) {
        met_.push_back(std::move(e));
    }
    // Either way the program ends as under the real host: its stack unwinds back to the test.
    ui::endProgram();
}
