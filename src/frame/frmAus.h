#pragma once

#include <QString>

#include "ui/Controls.h"
#include "ui/Form.h"

// The about window; it also carries the reader of single values of the settings store.
class frmAus : public ui::FormOf<frmAus> {
  public:
    frmAus();

    // Reads the value valueName under keyPath (a group path such as "Options") of the
    // program's settings store. A whole number comes out as "&h" and its bytes in hexadecimal,
    // as a number value always did; any other text as it is. root is accepted for the
    // callers' sake: the program has one store. False, with an empty output, when there is
    // no such value.
    bool GetKeyValue(qint32 root, const QString& keyPath, const QString& valueName,
                     QString& output);

    ui::Label Label2{this, QStringLiteral("Label2")};
    ui::Label Label3{this, QStringLiteral("Label3")};
    ui::Line Line1{this, QStringLiteral("Line1")};
    ui::CommandButton Command1{this, QStringLiteral("Command1")};

  protected:
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    void Command1_Click();
    void Label3_Click();
};
