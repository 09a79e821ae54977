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
    // Closes every window without their events, flushes output and leaves with status 0.
    [[noreturn]] void End() override;

    // The Qt filter list for a request ("HTML File (*.html)").
    static QStringList qtFilters(const FileDialogRequest& request);

  private:
    std::optional<QString> fileDialog(const FileDialogRequest& request, bool save);
    Host* previous_;
    int busyDepth_ = 0;
};

}  // namespace ui
