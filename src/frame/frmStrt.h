#pragma once

#include <optional>

#include "ui/Controls.h"
#include "ui/Form.h"

// The start page: fills the main window for the whole run, with a link to every window, the
// food-menu document and the product's page, in the colours stored in the data file.
class frmStrt : public ui::FormOf<frmStrt> {
  public:
    frmStrt();

    // Lays the page over the whole client area of the main window.
    void Sizer();
    // The labels that take the "ForeColour" and the "PicForeColour" colours.
    QList<ui::Label*> PageLinks();
    QList<ui::Label*> TitleLabels();
    // The colour stored in the data file under key ("BackColour", ...); none when there is no
    // such row. A failed read raises.
    static std::optional<qint32> StoredColour(const QString& key);

    ui::Shape Shape1{this, QStringLiteral("Shape1")};  // the title band
    ui::Shape Shape2{this, QStringLiteral("Shape2")};  // the page itself
    ui::ControlArray<ui::Label> lbl{this, QStringLiteral("lbl"), 0, 1};
    ui::Label lblPersonal{this, QStringLiteral("lblPersonal")};
    ui::Label Label1{this, QStringLiteral("Label1")};
    ui::Label Label2{this, QStringLiteral("Label2")};
    ui::Label Label3{this, QStringLiteral("Label3")};
    ui::Label Label4{this, QStringLiteral("Label4")};
    ui::Label Label5{this, QStringLiteral("Label5")};
    ui::Label Label6{this, QStringLiteral("Label6")};
    ui::Label Label10{this, QStringLiteral("Label10")};
    ui::Label Label11{this, QStringLiteral("Label11")};
    ui::Label Label7{this, QStringLiteral("Label7")};
    ui::Label Label9{this, QStringLiteral("Label9")};
    ui::ControlArray<ui::Label> lblNote{this, QStringLiteral("lblNote"), 0, 7};
    ui::ControlArray<ui::TextBox> Text4{this, QStringLiteral("Text4"), 0, 1};

  protected:
    void Form_Load() override;
    void Form_Resize() override;

  private:
    void Label7_Click();
    void Label10_Click();
    void Label11_Click();
    void Label9_Click();
    void Text4_Click(int Index);
    void ShowPopup(int Button, int Shift, float X, float Y);
    void ShowColourMenu(int Button, int Shift, float X, float Y);
};
