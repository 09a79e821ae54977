#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <memory>
#include <optional>

#include "print/PagedPrinter.h"

class QPrinter;

namespace print {

// The printer object on a real device: the system's default printer or a PDF file.
//
// The painter begins at the first output, so that a printer that is never printed on is never
// opened and a job can still set the orientation first. Twips are converted with the device's
// own resolution, text is measured with the device's font metrics, and DrawWidth is a pen width
// in device pixels.
class QtPrinter final : public PagedPrinter {
  public:
    // nullptr when the system has no printer set up.
    static std::unique_ptr<QtPrinter> ForDefaultPrinter();
    // A4 PDF written to `path`, with the margins of a typical laser printer so that the file
    // looks like the printed page. The file is created (or replaced) at the first output and is
    // complete when EndDoc returns; an unwritable path fails there with err::PrinterError. An
    // empty path raises rt::err::BadFileNameOrNumber at once.
    static std::unique_ptr<QtPrinter> ForPdf(const QString& path);

    // An unfinished document is finished, as when a program ends with pages still pending.
    ~QtPrinter() override;

    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

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
    QtPrinter(std::unique_ptr<QPrinter> printer, QString pdfPath);

    // The device font and its metrics for a printer font; the last one is kept, because a job
    // measures many texts in one font.
    const QFontMetricsF& metrics(const TextFont& font) const;
    QFont deviceFont(const TextFont& font) const;
    void applyOrientation(int orientation);
    [[noreturn]] void fail(const QString& why) const;

    double toDeviceX(double twips) const;
    double toDeviceY(double twips) const;

    std::unique_ptr<QPrinter> printer_;
    QString pdfPath_;  // empty for a real printer
    QPainter painter_;

    mutable std::optional<TextFont> metricsFont_;
    mutable std::optional<QFontMetricsF> metrics_;
};

}  // namespace print
