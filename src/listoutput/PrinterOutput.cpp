#include "listoutput/PrinterOutput.h"

#include <QDateTime>
#include <QFileInfo>

#include "print/QtPrinter.h"
#include "runtime/App.h"

namespace listoutput {
namespace {

PrinterFactory& factory() {
    static PrinterFactory instance;
    return instance;
}

// A file of its own for every printout: the list's title with the date and time, and a number
// when two printouts fall in the same second, so that no printout replaces another.
QString PdfPathFor(const QString& title) {
    QString name;
    for (const QChar c : title.trimmed()) {
        name += (c.isLetterOrNumber() || c == u' ' || c == u'-') ? c : QChar(u'_');
    }
    if (name.isEmpty()) {
        name = QStringLiteral("Kelvora list");
    }
    const QString stem =
        rt::App::Path() + QLatin1Char('/') + name + QLatin1Char(' ') +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = stem + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = stem + QStringLiteral(" (%1).pdf").arg(n);
    }
    return path;
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
