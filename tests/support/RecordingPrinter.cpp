#include "support/RecordingPrinter.h"

#include <cmath>

#include "runtime/Error.h"

namespace print {

RecordingPrinter::Entry& RecordingPrinter::record(Entry::Kind kind, int page) {
    Entry& entry = entries_.emplace_back();
    entry.kind = kind;
    entry.page = page;
    return entry;
}

void RecordingPrinter::setOrientation(int orientation) {
    PagedPrinter::setOrientation(orientation);
    record(Entry::Kind::Orientation, Page()).orientation = orientation;
}

std::vector<RecordingPrinter::Entry> RecordingPrinter::entries(Entry::Kind kind) const {
    std::vector<Entry> found;
    for (const Entry& entry : entries_) {
        if (entry.kind == kind) {
            found.push_back(entry);
        }
    }
    return found;
}

QStringList RecordingPrinter::printedTexts() const {
    QStringList texts;
    for (const Entry& entry : entries_) {
        if (entry.kind == Entry::Kind::Print) {
            texts.append(entry.text);
        }
    }
    return texts;
}

QSizeF RecordingPrinter::pageSize(int orientation) const {
    return orientation == 2 ? QSizeF(PortraitHeight, PortraitWidth)
                            : QSizeF(PortraitWidth, PortraitHeight);
}

double RecordingPrinter::measureWidth(const TextFont& font, const QString& line) const {
    const auto characters = static_cast<double>(line.toUcs4().size());
    return std::round(characters * font.size * (font.bold ? 11.0 : 10.0));
}

double RecordingPrinter::lineHeight(const TextFont& font) const {
    return std::round(font.size * 24.0);
}

void RecordingPrinter::beginDocument(int /*orientation*/) {
    if (mode_ == Mode::NoPrinter) {
        rt::raise(err::PrinterError, QStringLiteral("Printer"));
    }
}

void RecordingPrinter::beginPage(int /*orientation*/, int number, bool automatic) {
    record(automatic ? Entry::Kind::PageBreak : Entry::Kind::NewPage, number);
}

void RecordingPrinter::drawText(const TextFont& font, double x, double y, const QString& line,
                                bool endLine) {
    Entry& entry = record(Entry::Kind::Print, Page());
    entry.x = x;
    entry.y = y;
    entry.text = line;
    entry.font = font;
    entry.endLine = endLine;
}

void RecordingPrinter::drawLine(double x1, double y1, double x2, double y2, const QColor& colour,
                                int width) {
    Entry& entry = record(Entry::Kind::Line, Page());
    entry.x = x1;
    entry.y = y1;
    entry.x2 = x2;
    entry.y2 = y2;
    entry.colour = colour;
    entry.drawWidth = width;
}

void RecordingPrinter::endDocument(int pages) {
    record(Entry::Kind::EndDoc, pages);
}

void RecordingPrinter::abortDocument() {
    record(Entry::Kind::KillDoc, Page());
}

}  // namespace print
