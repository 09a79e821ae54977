#pragma once

#include <QColor>
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
// changes nothing. MaxLength limits what a person types, never what code sets.
class TextBox : public Control {
  public:
    TextBox(Form* form, const QString& name, int index = -1);

    QString Text() const;
    void setText(const QString& text);
    bool Locked() const;
    void setLocked(bool on);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length);
    // Swaps the single-line widget for a multi-line one (or back); the window sets it once,
    // before or after placing the widget.
    bool MultiLine() const;
    void setMultiLine(bool on);
    QString PasswordChar() const { return passwordChar_; }
    void setPasswordChar(const QString& character);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);
    int Alignment() const;
    void setAlignment(int alignment);
    qint32 ForeColor() const;
    void setForeColor(qint32 color);
    void setForeColor(const QColor& color);
    qint32 BackColor() const;
    void setBackColor(qint32 color);
    void setBackColor(const QColor& color);
    // 0 none, 1 fixed single (the frame).
    int BorderStyle() const;
    void setBorderStyle(int style);

    std::function<void()> Change;
    std::function<void()> Click;

    // person: focus, then the whole text replaced by `text` (cut to MaxLength), Change. False
    // when the box is locked (the focus still moves).
    bool type(const QString& text);
    // person: a click into the box (focus, MouseDown/MouseUp, Click).
    bool click();
    // person: clears the text (select all, delete).
    bool clear();

    QLineEdit* lineEdit() const;
    QPlainTextEdit* plainTextEdit() const;

  protected:
    bool keyAction(int keyCode, int shift, int keyAscii) override;
    bool wantsReturn() const override { return MultiLine(); }
    bool mouseFromQt(QWidget* widget, QMouseEvent* event, int type) override;

  private:
    void build(bool multiLine);
    void applyText(const QString& text);
    void applyMaxLength();
    void applyColors(qint32 foreColor, qint32 backColor);
    void insertTyped(const QString& text);
    void onQtEdited();

    bool applying_ = false;
    int maxLength_ = 0;
    QString passwordChar_;
    QString lastText_;
};

// ---------------------------------------------------------------------------------------------
// A rich text box. TextRTF takes rich text written as HTML (RTF itself is not read).
class RichTextBox : public Control {
  public:
    RichTextBox(Form* form, const QString& name, int index = -1);

    QString Text() const;
    void setText(const QString& text);
    QString TextRTF() const;
    void setTextRTF(const QString& html);
    bool Locked() const;
    void setLocked(bool on);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    // Reads the file as HTML when it looks like HTML, else as plain text. Error 75 when it
    // cannot be read.
    void LoadFile(const QString& path);

    std::function<void()> Change;

    bool type(const QString& text);

    QTextEdit* textEdit() const;

  protected:
    QFont textFont() const override;
    void setTextFont(const QFont& font) override;

  private:
    void setContent(const std::function<void()>& apply);
    bool settingFromCode_ = false;
};

}  // namespace ui
