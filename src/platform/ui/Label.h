#pragma once

#include <QColor>
#include <QString>
#include <functional>

#include "ui/Control.h"

class QLabel;

namespace ui {

// ---------------------------------------------------------------------------------------------
// A caption with the platform's accelerator mark '&' ("&Add"); a literal '&' is "&&", as in Qt.
class Label : public Control {
  public:
    Label(Form* form, const QString& name, int index = -1);

    QString Caption() const;
    void setCaption(const QString& caption);
    qint32 ForeColor() const;
    void setForeColor(qint32 color);
    void setForeColor(const QColor& color);
    qint32 BackColor() const;
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    // 0 transparent, 1 opaque (BackColor painted).
    int BackStyle() const;
    void setBackStyle(int style);
    int Alignment() const;
    void setAlignment(int alignment);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool WordWrap() const;
    void setWordWrap(bool on);

    std::function<void()> Click;
    std::function<void()> DblClick;

    // person: MouseDown, MouseUp, Click (left button).
    bool click();
    bool dblClick();

    bool takesFocus() const override { return false; }
    QLabel* label() const;

  protected:
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    bool autoSize_ = false;
};

}  // namespace ui
