#pragma once

#include <memory>
#include <vector>

#include "frame/ErrorHandler.h"
#include "listoutput/CPrint.h"
#include "print/Printer.h"

// Prints a list view as a table with its columns fitted to the page: the widest text of each
// column is measured, the font shrinks down to 5 points until the columns fit, the page may
// turn to landscape, and the width left over is spread across the columns.
class CPrinter : public CPrint {
  public:
    CPrinter();
    ~CPrinter() override;

    ui::ListView* lvwToPrint() const override { return lvwToPrint_; }
    void setLvwToPrint(ui::ListView* lvw) override { lvwToPrint_ = lvw; }
    void setTitleUser(const QString& text) override { titleUser_ = text; }
    void setTitleFrom(const QString& text) override { titleFrom_ = text; }
    void setTitleTo(const QString& text) override { titleTo_ = text; }
    QString LastErrorMsg() const override { return LastErrorMsg_; }
    void setFileName(const QString&) override {}
    void setFontSize(qint16 points) override { FontSize_ = points; }
    void setTitle(const QString& title) override { title_ = title; }
    void setFontName(const QString& name) override { FontName_ = name; }
    void setOrientation(qint16 orientation) override { Orientation_ = orientation; }
    bool PrintLvw() override;

  private:
    qint32 ComputeColumnWidths(qint16 size);
    bool FitToPage(qint16 size);
    void PrintPageHeader(int page);
    void PrintTitleBlock(const QString& title);

    QString title_;
    QString titleUser_;
    QString titleFrom_;
    QString titleTo_;
    qint16 Orientation_ = 1;
    ui::ListView* lvwToPrint_ = nullptr;
    QString FontName_;
    qint16 FontSize_ = 0;
    // Widths in twips; a wide list at a large trial size passes 16 bits long before it fits.
    qint32 totalWidth_ = 0;
    std::vector<qint32> colWidths_;  // index 1 to the number of columns
    QString LastErrorMsg_;
    ErrorHandler errorHandler_;
    qint32 bottomLimit_ = 0;
    std::unique_ptr<print::Printer> printer_;
};
