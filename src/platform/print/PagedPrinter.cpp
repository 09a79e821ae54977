#include "print/PagedPrinter.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "runtime/Error.h"

namespace print {

namespace {

const QString kSource = QStringLiteral("Printer");

// The largest font size a printer accepts; anything above it is a mistake, not a wish.
constexpr double kMaxFontSize = 2048;
constexpr int kMaxDrawWidth = 32767;

// The lines a text prints as: split at "\r\n", "\n" and "\r"; at least one line.
QStringList splitLines(const QString& text) {
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return unified.split(QLatin1Char('\n'));
}

[[noreturn]] void invalidProperty() {
    rt::raise(err::InvalidPropertyValue, kSource);
}

}  // namespace

PagedPrinter::PagedPrinter() : font_{QStringLiteral("Arial"), 10, false, false, false} {}

void PagedPrinter::setFontSize(double points) {
    if (!std::isfinite(points) || points <= 0 || points > kMaxFontSize) {
        invalidProperty();
    }
    font_.size = points;
}

void PagedPrinter::setOrientation(int orientation) {
    if (orientation != 1 && orientation != 2) {
        invalidProperty();
    }
    orientation_ = orientation;
    if (!open_) {
        pageOrientation_ = orientation;
    }
}

void PagedPrinter::setCurrentX(double x) {
    if (!std::isfinite(x)) {
        invalidProperty();
    }
    x_ = x;
}

void PagedPrinter::setCurrentY(double y) {
    if (!std::isfinite(y)) {
        invalidProperty();
    }
    y_ = y;
}

double PagedPrinter::ScaleWidth() const {
    return pageSize(pageOrientation_).width();
}

double PagedPrinter::ScaleHeight() const {
    return pageSize(pageOrientation_).height();
}

double PagedPrinter::TextWidth(const QString& text) const {
    double widest = 0;
    for (const QString& line : splitLines(text)) {
        widest = std::max(widest, measureWidth(font_, line));
    }
    return widest;
}

double PagedPrinter::TextHeight(const QString& text) const {
    return static_cast<double>(splitLines(text).size()) * lineHeight(font_);
}

void PagedPrinter::setDrawWidth(int pixels) {
    if (pixels < 1 || pixels > kMaxDrawWidth) {
        invalidProperty();
    }
    drawWidth_ = pixels;
}

void PagedPrinter::Line(double x1, double y1, double x2, double y2, const QColor& colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        rt::raise(err::InvalidProcedureCall, kSource);
    }
    openDocument();
    drawLine(x1, y1, x2, y2, colour, drawWidth_);
    x_ = x2;
    y_ = y2;
}

void PagedPrinter::Print(const QString& text, bool endLine) {
    openDocument();
    const QStringList lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double height = lineHeight(font_);
        // At the top of a page a new page would only add an empty one: the line is printed
        // where it is, even when it is taller than the page.
        if (y_ > 0 && y_ + height > ScaleHeight()) {
            startPage(true);
        }
        const bool ends = endLine || i + 1 < lines.size();
        drawText(font_, x_, y_, lines[i], ends);
        if (ends) {
            x_ = 0;
            y_ += height;
        } else {
            x_ += measureWidth(font_, lines[i]);
        }
    }
}

void PagedPrinter::NewPage() {
    openDocument();
    startPage(false);
}

void PagedPrinter::EndDoc() {
    if (!open_) {
        return;
    }
    const int pages = page_;
    try {
        endDocument(pages);
    } catch (...) {
        closeDocument();
        throw;
    }
    closeDocument();
}

void PagedPrinter::KillDoc() {
    if (!open_) {
        return;
    }
    try {
        abortDocument();
    } catch (...) {
        closeDocument();
        throw;
    }
    closeDocument();
}

void PagedPrinter::openDocument() {
    if (open_) {
        return;
    }
    beginDocument(orientation_);
    open_ = true;
    page_ = 1;
    pageOrientation_ = orientation_;
}

void PagedPrinter::startPage(bool automatic) {
    beginPage(orientation_, page_ + 1, automatic);
    ++page_;
    pageOrientation_ = orientation_;
    y_ = 0;
    if (!automatic) {
        x_ = 0;
    }
}

void PagedPrinter::closeDocument() {
    open_ = false;
    page_ = 1;
    x_ = 0;
    y_ = 0;
    pageOrientation_ = orientation_;
}

}  // namespace print
