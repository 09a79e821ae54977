#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "ui/Form.h"
#include "ui/FormDetail.h"
#include "ui/Host.h"

// The host of the window tests. A test scripts, in order, every call the program will make
// of the host (message boxes, dialogs, modal windows, popup menus, opening files, End) and the
// answers to give. A call that does not match the next expectation, or that comes when none is
// left, fails the test and is answered safely (Cancel, No, dialogs cancelled, modal windows
// closed); expectations left unmet when the host goes fail the test too.
//
//   ScriptedHost host;
//   host.expectMsgBox("Save the changes?", vbYesNo | vbQuestion).answer(vbYes);
//   host.expectModal<frmUnit>([](frmUnit& f) { f.txtUnitname.type("Cup"); f.Command1.click(); });
//   host.expectSaveDialog().answer("/tmp/x.html");
//
// While it lives it is the host and the program's end handler; Qt's own input (focus changes,
// key presses, timers) is ignored, so that only the test's person-side calls act. When it goes,
// every form still loaded is discarded without events, and the previous host is restored.
class ScriptedHost : public ui::Host {
  public:
    ScriptedHost();
    ~ScriptedHost() override;
    ScriptedHost(const ScriptedHost&) = delete;
    ScriptedHost& operator=(const ScriptedHost&) = delete;

    struct Expectation;

    class MsgBoxReply {
      public:
        // vbOK, vbYes, ... Without an answer: OK for a box with only OK, else the cautious
        // answer (Cancel, else No).
        MsgBoxReply& answer(int reply);
        // Runs while the box is up, before the answer: what happens in the world while the
        // person reads it (another program lets go of a file).
        MsgBoxReply& meanwhile(std::function<void()> act);

      private:
        friend class ScriptedHost;
        explicit MsgBoxReply(Expectation* e) : e_(e) {}
        Expectation* e_;
    };

    class FileReply {
      public:
        FileReply& answer(const QString& path);
        // The default.
        FileReply& cancel();
        // What the program asked for (once the call came).
        const ui::FileDialogRequest& request() const;
        bool called() const;

      private:
        friend class ScriptedHost;
        explicit FileReply(Expectation* e) : e_(e) {}
        Expectation* e_;
    };

    class ColorReply {
      public:
        ColorReply& answer(qint32 color);
        ColorReply& cancel();
        qint32 initial() const;

      private:
        friend class ScriptedHost;
        explicit ColorReply(Expectation* e) : e_(e) {}
        Expectation* e_;
    };

    class PopupReply {
      public:
        // Clicks the item with that name (at any depth of the popup).
        PopupReply& choose(const QString& itemName);
        // The default: the menu is closed without a choice.
        PopupReply& dismiss();

      private:
        friend class ScriptedHost;
        explicit PopupReply(Expectation* e) : e_(e) {}
        Expectation* e_;
    };

    class DesktopReply {
      public:
        // What OpenWithDesktop returns (true unless told).
        DesktopReply& answer(bool opened);

      private:
        friend class ScriptedHost;
        explicit DesktopReply(Expectation* e) : e_(e) {}
        Expectation* e_;
    };

    // Prompt and title are compared exactly; buttons (with icon and default button) when given.
    MsgBoxReply expectMsgBox(const QString& prompt, std::optional<int> buttons = std::nullopt,
                             std::optional<QString> title = std::nullopt);
    FileReply expectOpenDialog();
    FileReply expectSaveDialog();
    ColorReply expectColorDialog();
    // The callback gets the form after its Form_Load, shown; it acts as a person would and must
    // leave the form hidden or unloaded.
    template <class T>
    void expectModal(std::function<void(T&)> act) {
        addModal(
            ui::detail::className(typeid(T)),
            [](ui::Form& form) { return dynamic_cast<T*>(&form) != nullptr; },
            [act = std::move(act)](ui::Form& form) {
                if (act) {
                    act(static_cast<T&>(form));
                }
            });
    }
    void expectModal(const QString& formName, std::function<void(ui::Form&)> act);
    PopupReply expectPopupMenu(const QString& menuName);
    DesktopReply expectOpenWithDesktop(const QString& fileOrUrl);
    // A file whose name the test cannot know beforehand (one with the time in it), described
    // for the messages of a failed test; calls() shows the name.
    DesktopReply expectOpenWithDesktop(const QString& description,
                                       std::function<bool(const QString&)> matches);
    // End ends the program as the real host does (ui::endProgram): ui::ProgramEnded unwinds
    // to the test, which catches it.
    void expectEnd();

    // Every call the program made, as readable lines ("MsgBox \"...\" buttons=64 title=...").
    QStringList calls() const { return calls_; }
    // Expectations not met yet.
    int pendingCount() const { return static_cast<int>(pending_.size()); }
    // Fails the test for every unmet expectation and forgets them.
    void verify();

    // The hourglass: on now, how many times it was turned on, and every change in order.
    bool busy() const { return busyDepth_ > 0; }
    int busyCount() const { return busyCount_; }
    QList<bool> busyHistory() const { return busyHistory_; }

    // ---- ui::Host
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    std::optional<QString> OpenFileDialog(const ui::FileDialogRequest& request) override;
    std::optional<QString> SaveFileDialog(const ui::FileDialogRequest& request) override;
    std::optional<qint32> ColorDialog(qint32 initial) override;
    void RunModal(ui::Form& form) override;
    void PopupMenu(ui::Menu& menu) override;
    void SetBusy(bool busy) override;
    bool OpenWithDesktop(const QString& fileOrUrl) override;
    // Processes Qt's events; when no event procedure is running, also deletes what unloaded
    // forms left behind.
    void DoEvents() override;
    [[noreturn]] void End() override;
    bool realInput() const override { return false; }

  private:
    void addModal(const QString& name, std::function<bool(ui::Form&)> matches,
                  std::function<void(ui::Form&)> act);
    Expectation* add(std::unique_ptr<Expectation> expectation);
    // The next expectation when it matches the call; otherwise fails the test and gives null.
    std::unique_ptr<Expectation> take(const QString& call,
                                      const std::function<bool(const Expectation&)>& matches);
    std::optional<QString> fileDialog(const ui::FileDialogRequest& request, bool save);

    ui::Host* previous_;
    std::deque<std::unique_ptr<Expectation>> pending_;
    // Met expectations stay alive so that their replies (request(), initial()) can be read.
    std::deque<std::unique_ptr<Expectation>> met_;
    QStringList calls_;
    int busyDepth_ = 0;
    int busyCount_ = 0;
    QList<bool> busyHistory_;
};
