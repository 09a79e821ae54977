#pragma once

#include <QColor>
#include <QStringList>
#include <vector>

#include "print/PagedPrinter.h"

namespace print {

// A printer that prints nothing and remembers everything, for tests of the code that prints.
//
// Its metrics are fixed so that a test can work out every expected position by hand:
//   - the printable area is A4 without margins: 11906 x 16838 twips in portrait, 16838 x 11906
//     in landscape;
//   - a line is round(FontSize x 24) twips high (the font size in twips, 20 per point, plus a
//     fifth for the leading), whatever the text;
//   - a text is round(characters x FontSize x 10) twips wide, and 1.1 times that (before
//     rounding: round(characters x FontSize x 11)) in bold. Characters are Unicode code points;
//     italic and underline do not change the width.
// All metrics are whole twips, so expected values compare exactly.
class RecordingPrinter final : public PagedPrinter {
  public:
    struct Entry {
        enum class Kind {
            Print,        // one printed line
            Line,         // a drawn line
            NewPage,      // NewPage
            PageBreak,    // a new page started by a Print that did not fit
            EndDoc,       // the document finished
            KillDoc,      // the document abandoned
            Orientation,  // setOrientation
        };

        Kind kind = Kind::Print;
        int page = 0;  // the page the entry happened on; the new page's number for page starts
                       // and the page count for EndDoc
        double x = 0;  // Print: top-left corner; Line: start point
        double y = 0;
        double x2 = 0;  // Line: end point
        double y2 = 0;
        QString text;          // Print: the line printed (one entry per line of a multi-line text)
        TextFont font;         // Print
        bool endLine = false;  // Print: whether the line ended here
        QColor colour;         // Line
        int drawWidth = 0;     // Line
        int orientation = 0;   // Orientation: the value set
    };

    enum class Mode {
        WithPrinter,
        NoPrinter,  // every output raises rt::Error err::PrinterError, as with no printer set up
    };

    static constexpr double PortraitWidth = 11906;
    static constexpr double PortraitHeight = 16838;

    explicit RecordingPrinter(Mode mode = Mode::WithPrinter) : mode_(mode) {}

    void setOrientation(int orientation) override;

    const std::vector<Entry>& entries() const { return entries_; }
    std::vector<Entry> entries(Entry::Kind kind) const;
    // The texts of the Print entries, in order.
    QStringList printedTexts() const;
    void clear() { entries_.clear(); }

  protected:
    QSizeF pageSize(int orientation) const override;
    double measureWidth(const TextFont& font, const QString& line) const override;
    double lineHeight(const TextFont& font) const override;
    void beginDocument(int orientation) override;
    void beginPage(int orientation, int number, bool automatic) override;
    void drawText(const TextFont& font, double x, double y, const QString& line,
                  bool endLine) override;
    void drawLine(double x1, double y1, double x2, double y2, const QColor& colour,
                  int width) override;
    void endDocument(int pages) override;
    void abortDocument() override;

  private:
    // Appends an entry of the kind on the page; the caller fills in the rest.
    Entry& record(Entry::Kind kind, int page);

    Mode mode_;
    std::vector<Entry> entries_;
};

}  // namespace print
