#pragma once

#include <QString>
#include <functional>

#include "ui/Control.h"

class QAbstractItemModel;
class QComboBox;
class QListWidget;

namespace ui {

// ---------------------------------------------------------------------------------------------
// What combo boxes and list boxes share: entries (a text and an ItemData number each) held by
// the widget's model, and the chosen entry (ListIndex).
// Setting ListIndex from code to an entry fires Click, as a person's choice does, even when it
// is the index it has; -1 clears the choice without Click.
class ListControl : public Control {
  public:
    void Clear();
    // Inserts at `index` (or, when -1, at the end); NewIndex tells where.
    void AddItem(const QString& text, int index = -1);
    // The entry's text; "" outside the list.
    QString List(int index) const;
    int ListCount() const;
    // The chosen entry; -1 for none.
    virtual int ListIndex() const = 0;
    void setListIndex(int index);
    int NewIndex() const { return newIndex_; }
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);
    // The entry whose text equals `text` ignoring case, or -1.
    int findText(const QString& text) const;

    std::function<void()> Click;

  protected:
    ListControl(Form* form, const QString& name, int index);
    // Gives the control its widget and the model that holds the widget's entries.
    void attachList(QWidget* widget, QAbstractItemModel* model);

    // The widget's own side of the changes, without its signals.
    virtual void insertEntry(int place, const QString& text) = 0;
    virtual void clearEntries() = 0;
    virtual void selectQuietly(int index) = 0;

    // Error 380 unless index is an entry (or -1, when allowed).
    void checkIndex(int index, bool allowMinusOne) const;
    // A person's choice of an entry once the control's own steps are done: the entry is
    // chosen and Click fires. False, with a warning, when there is no such entry.
    bool chooseEntry(int index);
    // Up, Down and (with homeAndEnd) Home and End move the choice, firing Click when it
    // changes. False for any other key.
    bool moveChoiceByKey(int keyCode, bool homeAndEnd);

  private:
    QAbstractItemModel* model_ = nullptr;
    int newIndex_ = -1;
};

// ---------------------------------------------------------------------------------------------
// Style 0 (dropdown combo) and 1 (simple combo) have an editable text; style 2 (dropdown list)
// only chooses.
class ComboBox : public ListControl {
  public:
    ComboBox(Form* form, const QString& name, int index = -1);

    void setStyle(int style);
    int ListIndex() const override;
    // Style 2: the chosen entry's text. Editable styles: the edit text.
    QString Text() const;

    // person: drops the list down, chooses the entry, Click. False when there is no such entry.
    bool choose(int index);
    bool choose(const QString& text);

    QComboBox* comboBox() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    void insertEntry(int place, const QString& text) override;
    void clearEntries() override;
    void selectQuietly(int index) override;

  private:
    int style_ = vbComboDropdown;
};

// ---------------------------------------------------------------------------------------------
class ListBox : public ListControl {
  public:
    ListBox(Form* form, const QString& name, int index = -1);

    int ListIndex() const override;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    void insertEntry(int place, const QString& text) override;
    void clearEntries() override;
    void selectQuietly(int index) override;

  private:
    QListWidget* listWidget() const;
};

}  // namespace ui
