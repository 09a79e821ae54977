#include "print/QtPrinter.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

#include "runtime/Error.h"

namespace print {

namespace {

const QString kSource = QStringLiteral("Printer");

// A quarter inch all round: the unprintable border of a typical laser printer.
constexpr double kPdfMarginPoints = 18;

QPageLayout::Orientation toLayout(int orientation) {
    return orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Whether a finished PDF file is whole: a writer that ran out of disk leaves a file without its
// end-of-file marker.
bool pdfComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8) {
        return false;
    }
    if (!file.read(5).startsWith("%PDF-")) {
        return false;
    }
    constexpr qint64 kTail = 1024;
    file.seek(std::max<qint64>(0, file.size() - kTail));
    return file.readAll().contains("%%EOF");
}

// Removes a PDF that must not be mistaken for a finished one. Only a regular file: the path may
// name a device or a pipe the person chose to write to.
void discardPdf(const QString& path) {
    if (QFileInfo(path).isFile()) {
        QFile::remove(path);
    }
}

}  // namespace

std::unique_ptr<QtPrinter> QtPrinter::ForDefaultPrinter() {
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty()) {
        return nullptr;
    }
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        // Printers set up but none chosen as default: the first one is as good as any.
        info = printers.first();
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Kelvora"));
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), QString()));
}

std::unique_ptr<QtPrinter> QtPrinter::ForPdf(const QString& path) {
    // An empty file name would turn the printer back into the system printer and send the
    // pages to paper.
    if (path.isEmpty()) {
        rt::raise(rt::err::BadFileNameOrNumber, kSource);
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setColorMode(QPrinter::Color);
    printer->setCreator(QStringLiteral("Kelvora"));
    printer->setDocName(QFileInfo(path).completeBaseName());
    printer->setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints),
        QPageLayout::Point));
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), path));
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, QString pdfPath)
    : printer_(std::move(printer)), pdfPath_(std::move(pdfPath)) {}

QtPrinter::~QtPrinter() {
    if (documentOpen()) {
        try {
            EndDoc();
        } catch (...) {
            // Nothing can be reported from here; the painter is ended either way.
        }
    }
    if (painter_.isActive()) {
        painter_.end();
    }
}

QSizeF QtPrinter::pageSize(int orientation) const {
    QPageLayout layout = printer_->pageLayout();
    layout.setOrientation(toLayout(orientation));
    // The device's own pixel rectangle, so that ScaleWidth is exactly what the painter can reach.
    const int resolution = printer_->resolution();
    const QRect area = layout.paintRectPixels(resolution);
    return QSizeF(area.width() * TwipsPerInch / resolution,
                  area.height() * TwipsPerInch / resolution);
}

double QtPrinter::measureWidth(const TextFont& font, const QString& line) const {
    return metrics(font).horizontalAdvance(line) * TwipsPerInch / printer_->logicalDpiX();
}

double QtPrinter::lineHeight(const TextFont& font) const {
    return metrics(font).lineSpacing() * TwipsPerInch / printer_->logicalDpiY();
}

void QtPrinter::beginDocument(int orientation) {
    applyOrientation(orientation);
    if (!painter_.begin(printer_.get())) {
        fail(pdfPath_.isEmpty() ? QStringLiteral("the printer cannot be opened")
                                : QStringLiteral("cannot write %1").arg(pdfPath_));
    }
}

void QtPrinter::beginPage(int orientation, int /*number*/, bool /*automatic*/) {
    // Set before newPage: the layout applies to the page being started.
    applyOrientation(orientation);
    if (!printer_->newPage()) {
        fail(QStringLiteral("cannot start a new page"));
    }
}

void QtPrinter::drawText(const TextFont& font, double x, double y, const QString& line,
                         bool /*endLine*/) {
    if (line.isEmpty()) {
        return;
    }
    const QFontMetricsF& fm = metrics(font);
    painter_.setFont(deviceFont(font));
    painter_.setPen(QPen(Qt::black));
    // Print puts the top of the text at CurrentY; the painter wants the baseline.
    painter_.drawText(QPointF(toDeviceX(x), toDeviceY(y) + fm.ascent()), line);
}

void QtPrinter::drawLine(double x1, double y1, double x2, double y2, const QColor& colour,
                         int width) {
    QPen pen(colour);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(toDeviceX(x1), toDeviceY(y1)), QPointF(toDeviceX(x2), toDeviceY(y2)));
}

void QtPrinter::endDocument(int /*pages*/) {
    const bool ended = painter_.end();
    if (!pdfPath_.isEmpty() && !(ended && pdfComplete(pdfPath_))) {
        // Half a PDF must not pass for the list: it goes, and the failure is reported.
        discardPdf(pdfPath_);
        fail(QStringLiteral("cannot write %1").arg(pdfPath_));
    }
    if (!ended) {
        fail(QStringLiteral("the document could not be finished"));
    }
}

void QtPrinter::abortDocument() {
    printer_->abort();
    if (painter_.isActive()) {
        painter_.end();
    }
    // A PDF writer cannot abort: what it wrote is a partial document that must not be mistaken
    // for a finished one.
    if (!pdfPath_.isEmpty()) {
        discardPdf(pdfPath_);
    }
}

const QFontMetricsF& QtPrinter::metrics(const TextFont& font) const {
    if (!metrics_ || !metricsFont_ || !(*metricsFont_ == font)) {
        metrics_.emplace(deviceFont(font), printer_.get());
        metricsFont_ = font;
    }
    return *metrics_;
}

QFont QtPrinter::deviceFont(const TextFont& font) const {
    QFont qfont(font.name);
    qfont.setPointSizeF(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    return QFont(qfont, printer_.get());
}

void QtPrinter::applyOrientation(int orientation) {
    if (printer_->pageLayout().orientation() != toLayout(orientation)) {
        printer_->setPageOrientation(toLayout(orientation));
    }
}

void QtPrinter::fail(const QString& why) const {
    rt::raise(err::PrinterError, QStringLiteral("%1: %2").arg(kSource, why));
}

double QtPrinter::toDeviceX(double twips) const {
    return twips * printer_->logicalDpiX() / TwipsPerInch;
}

double QtPrinter::toDeviceY(double twips) const {
    return twips * printer_->logicalDpiY() / TwipsPerInch;
}

}  // namespace print
