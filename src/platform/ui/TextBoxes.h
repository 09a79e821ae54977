#pragma once

#include <QFont>
#include <QString>
#include <functional>

#include "ui/Control.h"

class QLineEdit;
class QPlainTextEdit;
class QTextEdit;

namespace ui {

// ---------------------------------------------------------------------------------------------
// A text box: one line (QLineEdit) or, with MultiLine, several (QPlainTextEdit). Change fires on
// every change of the text, by code or by a person; setting Text to the text it has already
// changes nothing.
class TextBox : public Control {
  public:
    TextBox(Form* form, const QString& name, int index = -1);

    QString Text() const;
    void setText(const QString& text);
    void setLocked(bool on);
    // Swaps the single-line widget for a multi-line one (or back); the window sets it once,
    // before or after placing the widget.
    void setMultiLine(bool on);
    void setBackColor(qint32 color);
    // 0 none, 1 fixed single (the frame).
    void setBorderStyle(int style);

    std::function<void()> Change;
    std::function<void()> Click;

    // person: focus, then the whole text replaced by `text`, Change. False when the box is
    // locked (the focus still moves).
    bool type(const QString& text);
    // person: a click into the box (focus, MouseUp, Click).
    bool click();
    // person: clears the text (select all, delete).
    bool clear();

    QLineEdit* lineEdit() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool wantsReturn() const override { return MultiLine(); }
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    QPlainTextEdit* plainTextEdit() const;
    bool Locked() const;
    bool MultiLine() const;
    qint32 BackColor() const;
    int BorderStyle() const;
    // The cursor and the selection, which typing works on.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    void build(bool multiLine);
    void applyText(const QString& text);
    void insertTyped(const QString& text);
    void onQtEdited();

    bool applying_ = false;
    QString lastText_;
};

// ---------------------------------------------------------------------------------------------
// A rich text box: plain text in a document of its own font.
class RichTextBox : public Control {
  public:
    RichTextBox(Form* form, const QString& name, int index = -1);

    QString Text() const;
    void setText(const QString& text);
    void setLocked(bool on);

  protected:
    QFont textFont() const override;
    void setTextFont(const QFont& font) override;

  private:
    QTextEdit* textEdit() const;
};

}  // namespace ui
