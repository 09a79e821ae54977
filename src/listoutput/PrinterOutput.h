#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "print/Printer.h"

namespace listoutput {

// Where a printed list goes: the system's printer, or, on a system without one, a PDF file
// in the program folder that is opened once the job is done.
struct PrintTarget {
    std::unique_ptr<print::Printer> printer;
    QString pdfPath;  // empty when the output goes to a printer
};

using PrinterFactory = std::function<PrintTarget(const QString& title)>;

PrintTarget OpenPrintTarget(const QString& title);

// Replaces how print targets are made (tests hand in a recording printer); an empty factory
// restores the real one.
void SetPrinterFactory(PrinterFactory factory);

}  // namespace listoutput
