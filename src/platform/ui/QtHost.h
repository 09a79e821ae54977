#pragma once

#include "ui/Host.h"

namespace ui {

// The real host: Qt dialogs, modal event loops, the wait cursor and the desktop services.
// Making it installs it as the host and as the program's end handler.
class QtHost : public Host {
  public:
    QtHost();
    ~QtHost() override;
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    std::optional<QString> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<QString> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<qint32> ColorDialog(qint32 initial) override;
    void RunModal(Form& form) override;
    void PopupMenu(Menu& menu) override;
    void SetBusy(bool busy) override;
    bool OpenWithDesktop(const QString& fileOrUrl) override;
    void DoEvents() override;
    // Ends the program as every host does (endProgram): the stack unwinds to the program's
    // top, through every modal loop running.
    [[noreturn]] void End() override;

    // The program's main event loop, until the last window closes or the program ends; then
    // it throws ProgramEnded. Returns the loop's status.
    static int runMainLoop();

    // The Qt filter list for a request ("HTML File (*.html)").
    static QStringList qtFilters(const FileDialogRequest& request);

  private:
    std::optional<QString> fileDialog(const FileDialogRequest& request, bool save);
    Host* previous_;
    int busyDepth_ = 0;
};

}  // namespace ui
