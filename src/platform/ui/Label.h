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
    void setAlignment(int alignment);
    void setWordWrap(bool on);

    std::function<void()> Click;

    // person: MouseUp, Click (left button).
    bool click();

    QLabel* label() const;

  protected:
    bool takesFocus() const override { return false; }
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;
};

}  // namespace ui
