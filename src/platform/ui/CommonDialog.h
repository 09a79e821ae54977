#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace ui {

class Form;

// The open, save and colour dialogs, shown through the host.
class CommonDialog {
  public:
    CommonDialog(Form* form, const QString& name, int index = -1);

    bool CancelError = false;
    long Flags = 0;
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    QString InitDir;
    // The proposed name before a dialog; the chosen full path after one ("" after a cancel).
    QString FileName;
    // A platform colour value: the initial colour, then the chosen one.
    qint32 Color = 0;

    // After a cancel: error 32755 "Cancel was selected." when CancelError is on, else FileName
    // is "" (Color is left as it was).
    void ShowOpen();
    void ShowSave();
    void ShowColor();

  private:
    void finishFile(const std::optional<QString>& chosen);
    void cancelled();
};

}  // namespace ui
