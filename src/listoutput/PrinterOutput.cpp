#include "listoutput/PrinterOutput.h"

#include "print/QtPrinter.h"
#include "runtime/App.h"

namespace listoutput {
namespace {

PrinterFactory& factory() {
    static PrinterFactory instance;
    return instance;
}

// A file name made of the list's title, so that several printouts do not overwrite each other.
QString PdfPathFor(const QString& title) {
    QString name;
    for (const QChar c : title.trimmed()) {
        name += (c.isLetterOrNumber() || c == u' ' || c == u'-') ? c : QChar(u'_');
    }
    if (name.isEmpty()) {
        name = QStringLiteral("Kelvora list");
    }
    return rt::App::Path() + QLatin1Char('/') + name + QStringLiteral(".pdf");
}

}  // namespace

PrintTarget OpenPrintTarget(const QString& title) {
    if (factory()) {
        return factory()(title);
    }
    PrintTarget target;
    target.printer = print::QtPrinter::ForDefaultPrinter();
    if (!target.printer) {
        target.pdfPath = PdfPathFor(title);
        target.printer = print::QtPrinter::ForPdf(target.pdfPath);
    }
    return target;
}

void SetPrinterFactory(PrinterFactory newFactory) {
    factory() = std::move(newFactory);
}

}  // namespace listoutput
