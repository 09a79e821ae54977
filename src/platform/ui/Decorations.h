#pragma once

#include <QColor>
#include <QString>
#include <functional>

#include "ui/Control.h"

class QFrame;
class QProgressBar;

namespace ui {

// Controls that show something and take no focus: frames, lines, shapes, progress.

// ---------------------------------------------------------------------------------------------
// A frame groups controls; the form lays them out in container().
class Frame : public Control {
  public:
    Frame(Form* form, const QString& name, int index = -1);
    void setCaption(const QString& caption);
    QWidget* container() const { return widget(); }

  protected:
    bool takesFocus() const override { return false; }
};

// Decorations without behaviour.
class Line : public Control {
  public:
    // A horizontal line.
    Line(Form* form, const QString& name, int index = -1);

  protected:
    bool takesFocus() const override { return false; }
};

class Shape : public Control {
  public:
    Shape(Form* form, const QString& name, int index = -1);
    qint32 BackColor() const;
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    // 0 no border, 1 a solid line.
    void setBorderStyle(int style);

  protected:
    bool takesFocus() const override { return false; }

  private:
    QFrame* frame() const;
};

// ---------------------------------------------------------------------------------------------
class ProgressBar : public Control {
  public:
    ProgressBar(Form* form, const QString& name, int index = -1);
    void setMin(int value);
    int Max() const;
    void setMax(int value);
    int Value() const;
    // Error 380 outside Min..Max.
    void setValue(int value);

  protected:
    bool takesFocus() const override { return false; }

  private:
    int Min() const;
    QProgressBar* progressBar() const;
};

}  // namespace ui
