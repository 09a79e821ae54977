#pragma once

#include <QString>
#include <functional>

#include "ui/Constants.h"
#include "ui/Form.h"

// The frame opens windows of the subsystems built on it (the start page's links, the main
// window's RDA menu item), which use the frame themselves: the frame cannot name them. Each
// such window is registered here under its own name by the program's composition
// (src/Windows.cpp), which links every subsystem; the frame, or any subsystem, then opens it by
// name. Two windows of one subsystem that open each other (the food nutrients window and the
// nutrient index) do so here too, so that neither includes the other.
namespace frame {

using Opener = std::function<void()>;

// Registers how the window `name` ("frmUsr") is opened, replacing an earlier registration.
void setOpener(const QString& name, Opener open);
// True when a window of that name is registered.
bool hasOpener(const QString& name);
// Opens the window; error 5 when no window of that name is registered.
void openWindow(const QString& name);

// A window opened on one of its entries (a food, a nutrient), as a double click on that entry
// in a list of another window opens it; it gives back the window it opened.
using EntryOpener = std::function<ui::Form&(const QString& entry)>;
// Registers how the window `name` is opened on an entry, replacing an earlier registration.
void setEntryOpener(const QString& name, EntryOpener open);
// Opens the window on the entry and gives it back; error 5 when no window of that name is
// registered.
ui::Form& openWindowOn(const QString& name, const QString& entry);

// Forgets every registration.
void clearOpeners();

// Loads the window and shows it as a modeless child, or brings it to the front when it is open
// already, with the hourglass while it loads.
template <class T>
Opener childOpener() {
    return [] {
        ui::Hourglass wait;
        T& form = T::instance();
        form.Hide();
        form.Show();
    };
}

// Opens the window on an entry through its own entry point (frmIdxN::ShowNutrient).
template <class T>
EntryOpener entryOpener(void (*show)(QString)) {
    return [show](const QString& entry) -> ui::Form& {
        show(entry);
        return T::instance();
    };
}

// Loads the window with the hourglass and shows it as a modal dialog.
template <class T>
Opener modalOpener() {
    return [] {
        T* form = nullptr;
        {
            ui::Hourglass wait;
            form = &T::instance();
        }
        form->Show(ui::vbModal);
    };
}

}  // namespace frame
