#pragma once

#include "ui/Form.h"

class QMdiArea;

namespace ui {

// The main window: a menu bar over an MDI area in which the child windows (forms with
// MDIChild set) appear when shown modeless.
class MDIForm : public Form {
    // It declares no signals, but qobject_cast tells the main window from the other forms.
    Q_OBJECT

  public:
    explicit MDIForm(QWidget* parent = nullptr);
    ~MDIForm() override;

    // The client area (the MDI area), in twips.
    int ScaleWidth() const override;
    int ScaleHeight() const override;

    QMdiArea* mdiArea() const { return area_; }
    // The child that is active (in front); null when none.
    Form* ActiveForm() const;

  protected:
    virtual void MDIForm_Load() {}
    virtual void MDIForm_Resize() {}
    virtual void MDIForm_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/) {}

    void fireLoad() override { MDIForm_Load(); }
    void fireResize() override { MDIForm_Resize(); }
    void fireQueryUnload(int& cancel, int mode) override { MDIForm_QueryUnload(cancel, mode); }
    // QueryUnload of the main window, then of every child (any may cancel); then Unload of
    // every child and of the main window.
    bool unloadWith(int unloadMode) override;
    void finishUnload() override;
    QWidget* clientArea() const override;
    void placeChild(Form& child) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Puts the children that stay behind back under the others.
    void keepBehind();
    bool keepingBehind_ = false;
    QMdiArea* area_;
};

// The loaded main window; null when none.
MDIForm* mainWindow();

}  // namespace ui
