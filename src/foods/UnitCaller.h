#pragma once

#include <QString>

namespace ui {
class ComboBox;
class ListView;
}  // namespace ui

namespace foods {

// A window that opens the units window (frmUnit) on the food selected in its own food list:
// the intake diary (mode "IntakeOn") and the ingredient editor (mode "ComposeOn"). The units
// window knows its callers only through this class, so that it never depends on the
// subsystems that use it. A caller derives from it next to its form class:
//
//   class frmDIn : public ui::FormOf<frmDIn>, public foods::UnitCallerWindow {
//     public:
//       frmDIn() : foods::UnitCallerWindow(QStringLiteral("IntakeOn")) { ... }
//       ui::ListView& UnitFoodList() override { return LView; }
//       void Unitcombo(QString& food) override;
//   };
//
// and its Unit button runs foods::ShowUnits(*this).
class UnitCallerWindow {
  public:
    UnitCallerWindow(const UnitCallerWindow&) = delete;
    UnitCallerWindow& operator=(const UnitCallerWindow&) = delete;

    // The value of core::UnitCaller under which the units window finds this window.
    const QString& UnitCallerMode() const { return mode_; }

    // The food list whose selected entry names the food whose units are edited.
    virtual ui::ListView& UnitFoodList() = 0;
    // Refills the caller's unit combo for the food (ServingUnits::ComboEntries gives the
    // entries) and selects the first entry. The units window calls it when it is closed with
    // its Close button, never after Escape.
    virtual void Unitcombo(QString& food) = 0;

  protected:
    // Registers the window under its mode for as long as it lives; a later window of the same
    // mode takes the place of an earlier one.
    explicit UnitCallerWindow(QString mode);
    virtual ~UnitCallerWindow();

  private:
    QString mode_;
};

// The window registered under a UnitCaller value; null for any other value.
UnitCallerWindow* FindUnitCaller(const QString& mode);

// What a caller's Unitcombo does with its unit combo: the food's ServingUnits::ComboEntries,
// or "Grams" alone when they cannot be read (the combo's window tells the person), the first
// entry selected.
void FillUnitCombo(ui::ComboBox& combo, const QString& food);

// The text of the entry selected in the caller's food list; "" when nothing is selected.
QString SelectedFood(UnitCallerWindow& caller);

// True when the food list has a selected entry. Otherwise says "Please select a food." (OK,
// exclamation, titled "Kelvora") and gives false: the units window is never opened without a
// food.
bool CheckFoodSelected(ui::ListView& foodList);

// What a caller's Unit button does: unless CheckFoodSelected refuses, sets core::UnitCaller
// to the caller's mode, places frmUnit in the middle of the main window and shows it
// modally. Returns when the units window is closed.
void ShowUnits(UnitCallerWindow& caller);

}  // namespace foods
