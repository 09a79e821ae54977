#pragma once

#include <QSizeF>
#include <QString>

#include "print/Printer.h"

namespace print {

// A font as the printer holds it between property changes.
struct TextFont {
    QString name;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const TextFont&) const = default;
};

// The state and page flow every printer shares: properties, the print position, the automatic
// page break and the document's life. A subclass supplies the device: its page size, its font
// metrics and the drawing itself, always in twips.
//
// The device is asked to start a document only at the first output. Every hook that can fail is
// called before the state it concerns moves on, so output that fails (no printer, a file that
// cannot be written) leaves Page, CurrentX and CurrentY where the last successful step put them.
class PagedPrinter : public Printer {
  public:
    QString FontName() const override { return font_.name; }
    void setFontName(const QString& name) override { font_.name = name; }
    double FontSize() const override { return font_.size; }
    void setFontSize(double points) override;
    bool FontBold() const override { return font_.bold; }
    void setFontBold(bool on) override { font_.bold = on; }
    bool FontItalic() const override { return font_.italic; }
    void setFontItalic(bool on) override { font_.italic = on; }
    bool FontUnderline() const override { return font_.underline; }
    void setFontUnderline(bool on) override { font_.underline = on; }

    int Orientation() const override { return orientation_; }
    void setOrientation(int orientation) override;

    double CurrentX() const override { return x_; }
    void setCurrentX(double x) override;
    double CurrentY() const override { return y_; }
    void setCurrentY(double y) override;

    double ScaleWidth() const override;
    double ScaleHeight() const override;

    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;

    int Page() const override { return page_; }

    int DrawWidth() const override { return drawWidth_; }
    void setDrawWidth(int pixels) override;
    // The defaults repeat the interface's, so that calls through a concrete printer read the same.
    void Line(double x1, double y1, double x2, double y2,
              const QColor& colour = QColor(Qt::black)) override;

    void Print(const QString& text, bool endLine = true) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;

    static constexpr double TwipsPerInch = 1440.0;

  protected:
    PagedPrinter();

    bool documentOpen() const { return open_; }

    // The printable area of a page in the given orientation, in twips.
    virtual QSizeF pageSize(int orientation) const = 0;
    // Width of one line of text and the height of a line, in twips.
    virtual double measureWidth(const TextFont& font, const QString& line) const = 0;
    virtual double lineHeight(const TextFont& font) const = 0;

    // Starts the document with its first page. Throws rt::Error when there is no printer.
    virtual void beginDocument(int orientation) = 0;
    // Ends the current page and starts page `number`. `automatic` when a Print did it.
    virtual void beginPage(int orientation, int number, bool automatic) = 0;
    // Draws one line of text with its top-left corner at (x, y).
    virtual void drawText(const TextFont& font, double x, double y, const QString& line,
                          bool endLine) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, const QColor& colour,
                          int width) = 0;
    // Finishes the document (`pages` pages) or throws it away. Either way the document is over
    // afterwards, even when these throw.
    virtual void endDocument(int pages) = 0;
    virtual void abortDocument() = 0;

  private:
    void openDocument();
    void startPage(bool automatic);
    void closeDocument();

    TextFont font_;
    int orientation_ = 1;      // asked for; applies from the next page
    int pageOrientation_ = 1;  // of the page being printed
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
    int drawWidth_ = 1;
    bool open_ = false;
};

}  // namespace print
