#include "frame/frmStrt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/WindowOpeners.h"
#include "frame/core.h"
#include "frame/frmMain.h"
#include "frame/frmOpt.h"
#include "frame/frmProducts.h"
#include "runtime/App.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"
#include "ui/MDIForm.h"

using namespace core;

namespace {

void MakeLink(ui::Label& label, const QString& caption, const QString& tip = {}) {
    label.setCaption(caption);
    label.setToolTipText(tip);
    label.setFontBold(true);
    label.setMousePointer(ui::vbCustom);
}

}  // namespace

frmStrt::frmStrt() {
    setMDIChild(true);
    // The page stays behind the windows opened from it.
    setStaysBehind(true);
    setBorderStyle(0);
    setCaption(QStringLiteral("Kelvora"));

    lbl[0].setCaption(QStringLiteral("Kelvora"));
    lbl[0].setFontSize(26);
    lbl[0].setFontBold(true);
    lbl[1].setCaption(QStringLiteral("Know what you eat, every day"));
    lbl[1].setFontSize(11);
    MakeLink(lblPersonal, QStringLiteral("PERSONAL INFORMATION"),
             QStringLiteral("Get personal information [F2]"));
    MakeLink(Label1, QStringLiteral("FOOD INTAKE"),
             QStringLiteral("Daily intakes by the person [F3]"));
    MakeLink(Label2, QStringLiteral("RECOMMANDED DIETARY ALLOWANCE (RDA)"),
             QStringLiteral("Check your Recommanded daily allowances [F4]"));
    MakeLink(Label3, QStringLiteral("COMPARE ACTUAL INTAKE WITH RDA"),
             QStringLiteral("Comparison of RDA Vs. Intake [F5]"));
    MakeLink(Label4, QStringLiteral("NUTRITIVE VALUE OF FOOD"),
             QStringLiteral("Nutritive value of food [F6]"));
    MakeLink(Label5, QStringLiteral("SOURCES OF NUTRIENTS"),
             QStringLiteral("Sources of nutrients [F7]"));
    MakeLink(Label6, QStringLiteral("COMPOSITION OF FOOD ARTICLE"),
             QStringLiteral("Make your food item [F8]"));
    MakeLink(Label10, QStringLiteral("FOOD MENU"), QStringLiteral("Food Menu for common diesease"));
    MakeLink(Label11, QStringLiteral("Options"));
    MakeLink(Label7, QStringLiteral("New Food"));
    MakeLink(Label9, QStringLiteral("PRODUCTS"));
    const QStringList notes = {
        QStringLiteral("Members with their age, sex, condition and activity, each placed in an "
                       "RDA group."),
        QStringLiteral("What a member ate, day by day, in any serving unit."),
        QStringLiteral("A member's recommended daily allowances with BMI and BMR."),
        QStringLiteral("A member's intakes over a range of days against the RDA."),
        QStringLiteral("The nutrients of any food, with its name in 13 languages."),
        QStringLiteral("The foods richest in a nutrient."),
        QStringLiteral("Dishes of your own, with their values computed from the ingredients."),
        QStringLiteral("Sample daily menus for adults, children and common conditions."),
    };
    for (int i = 0; i <= 7; ++i) {
        lblNote[i].setCaption(notes[i]);
        lblNote[i].setWordWrap(true);
    }
    Text4[0].setText(QStringLiteral("Kelvora for your practice:"));
    Text4[0].setWidth(2700);
    Text4[1].setText(QStringLiteral("Products"));
    for (int i = 0; i <= 1; ++i) {
        Text4[i].setLocked(true);
        Text4[i].setBorderStyle(0);
    }
    Text4[1].setFontUnderline(true);
    Text4[1].setMousePointer(ui::vbCustom);
    Shape1.setBackColor(QColor(0, 96, 100));
    Shape2.setBackColor(QColor(Qt::white));
    Shape1.setBorderStyle(0);
    Shape2.setBorderStyle(0);

    Label4.Click = [] { frame::openWindow(QStringLiteral("frmfdN")); };
    Label7.Click = [this] { Label7_Click(); };
    Label10.Click = [this] { Label10_Click(); };
    Label11.Click = [this] { Label11_Click(); };
    Label9.Click = [this] { Label9_Click(); };
    lblPersonal.Click = [] { frame::openWindow(QStringLiteral("frmUsr")); };
    Label1.Click = [] { frame::openWindow(QStringLiteral("frmDIn")); };
    Label2.Click = [] { frame::openWindow(QStringLiteral("frmRda")); };
    Label3.Click = [] { frame::openWindow(QStringLiteral("frmVRda")); };
    Label5.Click = [] { frame::openWindow(QStringLiteral("frmIdxN")); };
    Label6.Click = [] { frame::openWindow(QStringLiteral("frmItm")); };
    Text4.forEach([this](ui::TextBox& box) {
        const int index = box.Index();
        box.Click = [this, index] { Text4_Click(index); };
    });
    // A right click on the title band offers its colour, anywhere else the page's colours.
    Shape1.MouseUp = [this](int Button, int Shift, float X, float Y) {
        ShowPopup(Button, Shift, X, Y);
    };
    Shape2.MouseUp = [this](int Button, int Shift, float X, float Y) {
        ShowColourMenu(Button, Shift, X, Y);
    };

    auto* title = new QVBoxLayout;
    title->addWidget(lbl[0].widget());
    title->addWidget(lbl[1].widget());
    auto* band = new QHBoxLayout(Shape1.widget());
    band->setContentsMargins(24, 12, 24, 12);
    band->addLayout(title);
    band->addStretch(1);
    for (ui::Label* link : {&Label7, &Label11, &Label9}) {
        band->addSpacing(18);
        band->addWidget(link->widget(), 0, Qt::AlignBottom);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(48);
    grid->setVerticalSpacing(6);
    const QList<ui::Label*> links = {&lblPersonal, &Label4, &Label1, &Label5,
                                     &Label2,      &Label6, &Label3, &Label10};
    const QList<int> noteOf = {0, 4, 1, 5, 2, 6, 3, 7};
    for (int i = 0; i < links.size(); ++i) {
        const int row = (i / 2) * 2;
        const int column = i % 2;
        grid->addWidget(links[i]->widget(), row, column);
        grid->addWidget(lblNote[noteOf[i]].widget(), row + 1, column, Qt::AlignTop);
        grid->setRowMinimumHeight(row + 1, 44);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto* products = new QHBoxLayout;
    products->addWidget(Text4[0].widget());
    products->addWidget(Text4[1].widget());
    products->addStretch(1);
    auto* page = new QVBoxLayout(Shape2.widget());
    page->setContentsMargins(36, 30, 36, 24);
    page->addLayout(grid);
    page->addStretch(1);
    page->addLayout(products);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Shape1.widget());
    layout->addWidget(Shape2.widget(), 1);
}

QList<ui::Label*> frmStrt::PageLinks() {
    return {&lblPersonal, &Label1, &Label2, &Label3, &Label10, &Label4, &Label5, &Label6};
}

QList<ui::Label*> frmStrt::TitleLabels() {
    return {&lbl[0], &lbl[1], &Label9, &Label11, &Label7};
}

std::optional<qint32> frmStrt::StoredColour(const QString& key) {
    db::Recordset rs;
    rs.Open(QStringLiteral("Select * from formats where cat = ?"), cn, {key});
    if (rs.EOF()) {
        return std::nullopt;
    }
    return rs[QStringLiteral("what")].toLong();
}

void frmStrt::Form_Load() {
    // A colour that cannot be read leaves the page's own colour.
    const auto stored = [this](const QString& key) {
        std::optional<qint32> colour;
        frame::readOrTell(*this, QStringLiteral("The colours of the start page"),
                          QStringLiteral("frmStrt::Form_Load"),
                          [&] { colour = StoredColour(key); });
        return colour;
    };
    // The page's background keeps the colour chosen for it, also after a restart.
    if (const auto colour = stored(QStringLiteral("BackColour"))) {
        Shape2.setBackColor(*colour);
    }
    if (const auto colour = stored(QStringLiteral("ForeColour"))) {
        for (ui::Label* label : PageLinks()) {
            label->setForeColor(*colour);
        }
    }
    if (const auto colour = stored(QStringLiteral("PicForeColour"))) {
        for (ui::Label* label : TitleLabels()) {
            label->setForeColor(*colour);
        }
    }
}

void frmStrt::Sizer() {
    frame::passOver(QStringLiteral("frmStrt::Sizer"), [this] {
        const ui::MDIForm& main = frmMain::instance();
        Move(0, 0, main.ScaleWidth(), main.ScaleHeight());
    });
}

void frmStrt::Form_Resize() {
    Sizer();
}

void frmStrt::Label11_Click() {
    frmOpt& options = frmOpt::instance();
    options.Hide();
    options.Show();
}

void frmStrt::Label7_Click() {
    frame::openWindow(QStringLiteral("frmNewFood"));
}

void frmStrt::Text4_Click(int Index) {
    if (Index == 1) {
        frmProducts& products = frmProducts::instance();
        products.Hide();
        products.Show(ui::vbModal);
    }
}

void frmStrt::Label10_Click() {
    OpenDocument(rt::App::Path() + QStringLiteral("/fmenu.doc"));
}

void frmStrt::Label9_Click() {
    OpenDocument(ProductPage());
}

void frmStrt::ShowPopup(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == ui::vbRightButton) {
        PopupMenu(frmMain::instance().PicMenu);
    }
}

void frmStrt::ShowColourMenu(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == ui::vbRightButton) {
        PopupMenu(frmMain::instance().mymenu);
    }
}
