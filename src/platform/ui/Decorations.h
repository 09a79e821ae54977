#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <functional>

#include "ui/Control.h"

class QFrame;
class QProgressBar;

namespace ui {

// Controls that show something and take no focus: frames, lines, shapes, pictures, progress.

// ---------------------------------------------------------------------------------------------
// A frame groups controls; the form lays them out in container().
class Frame : public Control {
  public:
    Frame(Form* form, const QString& name, int index = -1);
    QString Caption() const;
    void setCaption(const QString& caption);
    QWidget* container() const { return widget(); }
    bool takesFocus() const override { return false; }
};

// Decorations without behaviour.
class Line : public Control {
  public:
    Line(Form* form, const QString& name, int index = -1);
    // Horizontal by default.
    void setVertical(bool on);
    bool takesFocus() const override { return false; }
};

class Shape : public Control {
  public:
    Shape(Form* form, const QString& name, int index = -1);
    qint32 BackColor() const;
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    qint32 BorderColor() const;
    void setBorderColor(qint32 color);
    // 0 no border, 1 a solid line.
    int BorderStyle() const;
    void setBorderStyle(int style);
    void setBorderColor(const QColor& color);
    bool takesFocus() const override { return false; }

  private:
    QFrame* frame() const;
};

class Image : public Control {
  public:
    Image(Form* form, const QString& name, int index = -1);
    void setPicture(const QPixmap& picture);
    void LoadPicture(const QString& path);
    bool hasPicture() const;
    bool Stretch() const;
    void setStretch(bool on);

    std::function<void()> Click;
    bool click();
    bool takesFocus() const override { return false; }

  protected:
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;
};

// ---------------------------------------------------------------------------------------------
class ProgressBar : public Control {
  public:
    ProgressBar(Form* form, const QString& name, int index = -1);
    int Min() const;
    void setMin(int value);
    int Max() const;
    void setMax(int value);
    int Value() const;
    // Error 380 outside Min..Max.
    void setValue(int value);
    bool takesFocus() const override { return false; }

    QProgressBar* progressBar() const;
};

}  // namespace ui
