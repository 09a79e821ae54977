#pragma once

#include <QColor>
#include <QString>

#include "runtime/Error.h"

namespace print {

// The error numbers the printer raises, as rt::err names them.
namespace err {
using rt::err::InvalidProcedureCall;
using rt::err::InvalidPropertyValue;
using rt::err::PrinterError;  // no printer, or output failed
}  // namespace err

// The printer object the list jobs print through.
//
// Positions and sizes are in twips (1/1440 inch) from the top-left corner of the printable area;
// font sizes are in points. Output (Print, Line, NewPage) starts a document on first use; EndDoc
// finishes it and KillDoc throws it away. Either way the next output starts a new document on
// page 1.
//
// Property setters reject values that cannot be printed (a font size of 0, an orientation other
// than 1 or 2, a coordinate that is not a number) with rt::Error err::InvalidPropertyValue, so a
// mistake shows at its cause rather than as a garbled page. When no printer can be reached, the
// first output raises rt::Error err::PrinterError.
class Printer {
  public:
    virtual ~Printer() = default;

    virtual QString FontName() const = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual double FontSize() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual bool FontBold() const = 0;
    virtual void setFontBold(bool on) = 0;
    virtual bool FontItalic() const = 0;
    virtual void setFontItalic(bool on) = 0;
    virtual bool FontUnderline() const = 0;
    virtual void setFontUnderline(bool on) = 0;

    // 1 portrait, 2 landscape. Once output has begun, a change applies from the next page;
    // ScaleWidth and ScaleHeight always describe the page being printed.
    virtual int Orientation() const = 0;
    virtual void setOrientation(int orientation) = 0;

    virtual double CurrentX() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual double CurrentY() const = 0;
    virtual void setCurrentY(double y) = 0;

    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

    // The width of the widest line and the height of all lines of a text in the current font.
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;

    // The page being printed, 1 on the first page.
    virtual int Page() const = 0;

    // Pen width for Line, in the printer's own pixels.
    virtual int DrawWidth() const = 0;
    virtual void setDrawWidth(int pixels) = 0;

    // Draws a line on the current page and leaves CurrentX/CurrentY at its end point. A line
    // never starts a new page.
    virtual void Line(double x1, double y1, double x2, double y2,
                      const QColor& colour = QColor(Qt::black)) = 0;

    // Prints the text at (CurrentX, CurrentY), its top at CurrentY. A line that would cross the
    // bottom of the page goes to the top of a new page instead, keeping CurrentX; a line that
    // already starts at the top of a page stays there even when it is taller than the page, so
    // that no empty pages are produced. With endLine, CurrentX returns to 0 and CurrentY moves
    // down one line; without, CurrentX moves to the end of the text. A line break inside the
    // text ends that line as endLine does.
    virtual void Print(const QString& text, bool endLine = true) = 0;

    // Ends the page; the next output goes to the top-left corner of a new one.
    virtual void NewPage() = 0;
    // Finishes the document so that it reaches the printer or the file before this returns.
    virtual void EndDoc() = 0;
    // Abandons the document: nothing of it is printed or kept.
    virtual void KillDoc() = 0;
};

}  // namespace print
