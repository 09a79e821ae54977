#include "listoutput/CPrinter.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include "frame/core.h"
#include "listoutput/PrinterOutput.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "ui/Constants.h"
#include "ui/Host.h"
#include "ui/ListView.h"

CPrinter::CPrinter() = default;
CPrinter::~CPrinter() = default;

bool CPrinter::PrintLvw() {
    if (lvwToPrint_ == nullptr) {
        LastErrorMsg_ = QStringLiteral("List View Not Defined");
        return false;
    }
    try {
        if (title_.isEmpty()) {
            title_ = lvwToPrint_->Name() + QStringLiteral(" Output");
        }
        listoutput::PrintTarget target = listoutput::OpenPrintTarget(title_);
        printer_ = std::move(target.printer);
        if (!printer_) {
            rt::raise(rt::err::PrinterError);
        }
        print::Printer& printer = *printer_;

        printer.setFontName(FontName_);
        printer.setOrientation(Orientation_);
        const bool fits = FitToPage(FontSize_);
        if (printer.Orientation() == 1 && !fits) {
            const int answer = ui::MsgBox(
                QStringLiteral("The output that you have defined is currently wider than the "
                               "page.  Would you like to rotate the output?"),
                ui::vbYesNo | ui::vbQuestion, QStringLiteral("Output to Wide"));
            if (answer == ui::vbYes) {
                printer.setOrientation(2);
                if (!FitToPage(FontSize_)) {
                    ui::MsgBox(QStringLiteral("Unable to fit output to the page even after "
                                              "rotating.  Please Adjust"),
                               ui::vbOKOnly | ui::vbCritical, QStringLiteral("Output Overflow"));
                    printer.KillDoc();
                    return false;
                }
            }
        }
        const int columns = lvwToPrint_->ColumnHeaders.Count();
        // A size below 5 points is never measured, and there are no widths to print with.
        if (colWidths_.size() != static_cast<size_t>(columns) + 1) {
            rt::raise(rt::err::SubscriptOutOfRange);
        }
        if (fits) {
            // Integer division rounds its operands first, as the printed layout always did.
            const qint32 spare = rt::CLng(printer.ScaleWidth() - 600 - totalWidth_) / columns;
            for (int i = 1; i <= columns; ++i) {
                colWidths_[i] = rt::CLng(static_cast<double>(colWidths_[i]) + spare);
            }
        }
        PrintTitleBlock(title_);
        PrintPageHeader(1);
        int lastPage = printer.Page();
        const int count = lvwToPrint_->ListItems.Count();
        for (int i = 1; i <= count; ++i) {
            const ui::ListItem& item = lvwToPrint_->ListItems(i);
            qint32 x = 0;
            qint32 y = rt::CLng(printer.CurrentY());
            // A row that would reach into the footer goes to the next page; otherwise the empty
            // line lets the printer start one by itself, and the row goes back to y so that it
            // leaves no gap.
            if (printer.CurrentY() + printer.TextHeight(QStringLiteral("SomeText")) >
                bottomLimit_) {
                printer.NewPage();
            }
            printer.Print(QString());
            if (printer.Page() != lastPage) {
                PrintPageHeader(printer.Page());
                y = rt::CLng(printer.CurrentY());
                lastPage = printer.Page();
            }
            printer.setCurrentY(y);
            printer.setCurrentX(0);
            printer.Print(item.Text());
            for (int j = 1; j <= columns - 1; ++j) {
                printer.setCurrentY(y);
                printer.setCurrentX(colWidths_[j] + x);
                x = rt::CLng(printer.CurrentX());
                printer.Print(item.SubItems(j));
            }
        }
        // The page goes to the printer (or the file) now, not when the program ends.
        printer.EndDoc();
        if (!target.pdfPath.isEmpty()) {
            core::OpenDocument(target.pdfPath);
        }
        return true;
    } catch (const rt::Error& error) {
        if (printer_) {
            printer_->KillDoc();
        }
        QString source = QStringLiteral("CPrinter::PrintLvw");
        QString extra;
        errorHandler_.handleError(error, source, extra);
        LastErrorMsg_ = error.Description();
        return false;
    }
}

qint32 CPrinter::ComputeColumnWidths(qint16 size) {
    if (lvwToPrint_ == nullptr) {
        throw rt::Error(rt::err::ListViewNotDefined,
                        QStringLiteral("List View Not Defined.  Set the lvwToPrint Variable in "
                                       "the CLvwPrint Class"),
                        QStringLiteral("PrintListView"));
    }
    const int columns = lvwToPrint_->ColumnHeaders.Count();
    if (columns < 1) {
        rt::raise(rt::err::SubscriptOutOfRange);
    }
    print::Printer& printer = *printer_;
    colWidths_.assign(static_cast<size_t>(columns) + 1, 0);
    printer.setFontSize(size);
    printer.setFontBold(true);
    const int count = lvwToPrint_->ListItems.Count();
    for (int i = 1; i <= count; ++i) {
        const ui::ListItem& item = lvwToPrint_->ListItems(i);
        double width = printer.TextWidth(item.Text());
        if (width > colWidths_[1]) {
            colWidths_[1] = rt::CLng(width);
        }
        for (int j = 2; j <= columns; ++j) {
            width = printer.TextWidth(item.SubItems(j - 1));
            if (width > colWidths_[j]) {
                colWidths_[j] = rt::CLng(width);
            }
        }
    }
    for (int i = 1; i <= columns; ++i) {
        const double width = printer.TextWidth(lvwToPrint_->ColumnHeaders(i).Text());
        if (colWidths_[i] == 0 || width > colWidths_[i]) {
            colWidths_[i] = rt::CLng(width);
        }
    }
    double total = 0;
    for (int i = 1; i <= columns; ++i) {
        total += colWidths_[i];
    }
    totalWidth_ = rt::CLng(total);
    printer.setFontBold(false);
    return totalWidth_;
}

bool CPrinter::FitToPage(qint16 size) {
    for (qint16 s = size; s >= 5; --s) {
        if (ComputeColumnWidths(s) < printer_->ScaleWidth()) {
            printer_->setFontSize(s);
            return true;
        }
    }
    return false;
}

void CPrinter::PrintPageHeader(int page) {
    print::Printer& printer = *printer_;
    printer.setFontBold(true);
    printer.setFontUnderline(true);
    const qint32 y = rt::CLng(printer.CurrentY());
    qint32 x = 0;
    const int columns = lvwToPrint_->ColumnHeaders.Count();
    for (int n = 0; n < columns; ++n) {
        printer.setCurrentY(y);
        if (n > 0) {
            printer.setCurrentX(x + colWidths_[n]);
            x = rt::CLng(printer.CurrentX());
        }
        printer.Print(lvwToPrint_->ColumnHeaders(n + 1).Text());
    }
    printer.setFontBold(false);
    printer.setFontUnderline(false);
    printer.Print(QString());

    const qint32 y2 = rt::CLng(printer.CurrentY());
    const qint16 fs = rt::CInt(printer.FontSize());
    printer.setFontSize(6);
    const double footer = printer.ScaleHeight() - 6 * printer.TextHeight(QStringLiteral("Footer"));
    printer.setCurrentY(footer);
    // Date and time in the short formats of the locale the program runs in.
    const QLocale locale;
    printer.Print(locale.toString(QDate::currentDate(), QLocale::ShortFormat), false);
    const QString time = locale.toString(QTime::currentTime(), QLocale::ShortFormat);
    printer.setCurrentY(footer);
    printer.setCurrentX(printer.ScaleWidth() - 2.5 * printer.TextWidth(time));
    printer.Print(time, false);
    const QString pageText = QStringLiteral("-Page %1-").arg(page);
    printer.setCurrentY(footer);
    printer.setCurrentX((printer.ScaleWidth() - printer.TextWidth(pageText)) / 2);
    printer.Print(pageText);
    printer.setCurrentY(y2);
    printer.setFontSize(fs);
    bottomLimit_ =
        rt::CLng(printer.ScaleHeight() - 6 * printer.TextHeight(QStringLiteral("Footer")));
}

void CPrinter::PrintTitleBlock(const QString& title) {
    print::Printer& printer = *printer_;
    const qint16 fs = rt::CInt(printer.FontSize());
    const qint32 y = rt::CLng(printer.CurrentY());
    printer.setFontSize(16);
    printer.setFontBold(true);
    const double x = (printer.ScaleWidth() - printer.TextWidth(title)) / 2;
    const qint32 h = rt::CLng(printer.TextHeight(title));
    printer.setDrawWidth(20);
    printer.Line(x, printer.CurrentY() + h, x + printer.TextWidth(title), printer.CurrentY() + h,
                 QColor(Qt::black));
    printer.setCurrentX((printer.ScaleWidth() - printer.TextWidth(title)) / 2);
    printer.setCurrentY(y);
    printer.Print(title);
    printer.setFontUnderline(false);
    printer.Print(QStringLiteral(" "));
    printer.setFontBold(false);
    printer.setFontSize(fs);
}
