#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSizeF>
#include <QTemporaryDir>
#include <QtEndian>

#include "print/QtPrinter.h"
#include "runtime/Error.h"

namespace {

using print::QtPrinter;

// Just enough of a PDF reader to check what the printer wrote: the page objects in the order they
// were written, and the drawing operators of each page. Qt writes one compressed content stream
// per page, in device pixels under a "s 0 0 -s x y cm" matrix that maps them to points.
class PdfFile {
  public:
    explicit PdfFile(const QString& path) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            raw_ = file.readAll();
        }
    }

    const QByteArray& raw() const { return raw_; }

    int pageCount() const {
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
        int count = 0;
        for (auto it = page.globalMatch(QString::fromLatin1(raw_)); it.hasNext(); it.next()) {
            ++count;
        }
        return count;
    }

    QList<QSizeF> mediaBoxes() const {
        static const QRegularExpression box(QStringLiteral(
            "/MediaBox\\s*\\[\\s*[\\d.]+\\s+[\\d.]+\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]"));
        QList<QSizeF> boxes;
        auto it = box.globalMatch(QString::fromLatin1(raw_));
        while (it.hasNext()) {
            const auto m = it.next();
            boxes.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
        }
        return boxes;
    }

    // The decompressed content streams of the pages, in page order.
    QStringList pageContents() const {
        static const QRegularExpression matrix(
            QStringLiteral("([\\d.]+) 0 0 -([\\d.]+) [-\\d.]+ [-\\d.]+ cm"));
        QStringList pages;
        qsizetype from = 0;
        while (true) {
            const qsizetype start = raw_.indexOf("stream\n", from);
            if (start < 0) {
                break;
            }
            const qsizetype end = raw_.indexOf("endstream", start);
            if (end < 0) {
                break;
            }
            from = end + 9;
            if (start > 0 && raw_[start - 1] == 'd') {
                continue;  // the "endstream" of the previous one
            }
            QByteArray packed = raw_.mid(start + 7, end - start - 7);
            if (!packed.startsWith('\x78')) {
                continue;  // not zlib data: an uncompressed stream, never a page
            }
            // qUncompress wants zlib data behind a size hint; it grows the buffer as needed.
            QByteArray sized(4, '\0');
            qToBigEndian<quint32>(1U << 16, sized.data());
            const QString text = QString::fromLatin1(qUncompress(sized + packed));
            if (matrix.match(text).hasMatch()) {
                pages.append(text);
            }
        }
        return pages;
    }

  private:
    QByteArray raw_;
};

// Device pixels in a page's content stream, converted back to twips through the page's matrix.
double pixelScaleToTwips(const QString& content) {
    static const QRegularExpression matrix(
        QStringLiteral("([\\d.]+) 0 0 -[\\d.]+ [-\\d.]+ [-\\d.]+ cm"));
    return matrix.match(content).captured(1).toDouble() * 20.0;
}

class QtPrinterPdf : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    // Prints numbered lines until one of them lands on page `pages`.
    static void printUntilPage(QtPrinter& printer, int pages) {
        int n = 0;
        while (printer.Page() < pages) {
            printer.Print(QStringLiteral("Line %1").arg(++n));
            ASSERT_LT(n, 10000) << "the page never advanced";
        }
    }

    QTemporaryDir dir_;
};

TEST_F(QtPrinterPdf, AutomaticPageBreaksGiveAThreePageDocumentCompleteWhenEndDocReturns) {
    const QString file = path(QStringLiteral("three.pdf"));
    auto printer = QtPrinter::ForPdf(file);
    ASSERT_NE(printer, nullptr);
    printer->setFontSize(12);
    printUntilPage(*printer, 3);
    printer->EndDoc();
    EXPECT_EQ(printer->Page(), 1);

    // Checked while the printer still exists: EndDoc alone must have written everything.
    const PdfFile pdf(file);
    ASSERT_TRUE(pdf.raw().startsWith("%PDF-"));
    EXPECT_TRUE(pdf.raw().trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pdf.pageCount(), 3);
    EXPECT_EQ(pdf.pageContents().size(), 3);
}

TEST_F(QtPrinterPdf, NewPageStartsPagesAndANewDocumentReplacesTheFile) {
    const QString file = path(QStringLiteral("pages.pdf"));
    auto printer = QtPrinter::ForPdf(file);
    printer->Print(QStringLiteral("one"));
    printer->NewPage();
    printer->Print(QStringLiteral("two"));
    printer->NewPage();
    printer->Print(QStringLiteral("three"));
    EXPECT_EQ(printer->Page(), 3);
    printer->EndDoc();
    EXPECT_EQ(PdfFile(file).pageCount(), 3);

    printer->Print(QStringLiteral("only"));
    printer->EndDoc();
    EXPECT_EQ(PdfFile(file).pageCount(), 1);
}

TEST_F(QtPrinterPdf, TextsAndLinesLandWhereTheyWerePut) {
    const QString file = path(QStringLiteral("where.pdf"));
    auto printer = QtPrinter::ForPdf(file);
    printer->setFontSize(12);
    const double lineHeight = printer->TextHeight(QStringLiteral("X"));
    printer->setCurrentX(1440);
    printer->setCurrentY(2880);
    printer->Print(QStringLiteral("Kelvora"));
    EXPECT_EQ(printer->CurrentY(), 2880 + lineHeight);
    printer->setDrawWidth(20);
    printer->Line(720, 4320, 5040, 4320, QColor(Qt::red));
    printer->EndDoc();

    const QStringList pages = PdfFile(file).pageContents();
    ASSERT_EQ(pages.size(), 1);
    const QString& content = pages[0];
    const double toTwips = pixelScaleToTwips(content);
    ASSERT_GT(toTwips, 0);

    // The first glyph's origin: x is CurrentX, the baseline lies inside the printed line.
    static const QRegularExpression text(
        QStringLiteral("BT\\s.*?Tm\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+Td"),
        QRegularExpression::DotMatchesEverythingOption);
    const auto glyph = text.match(content);
    ASSERT_TRUE(glyph.hasMatch()) << content.toStdString();
    EXPECT_NEAR(glyph.captured(1).toDouble() * toTwips, 1440, 2);
    const double baseline = -glyph.captured(2).toDouble() * toTwips;
    EXPECT_GT(baseline, 2880 + lineHeight / 2);
    EXPECT_LT(baseline, 2880 + lineHeight);

    static const QRegularExpression line(
        QStringLiteral("([-\\d.]+) ([-\\d.]+) m\\s+([-\\d.]+) ([-\\d.]+) l\\s+S"));
    const auto stroke = line.match(content);
    ASSERT_TRUE(stroke.hasMatch()) << content.toStdString();
    EXPECT_NEAR(stroke.captured(1).toDouble() * toTwips, 720, 2);
    EXPECT_NEAR(stroke.captured(2).toDouble() * toTwips, 4320, 2);
    EXPECT_NEAR(stroke.captured(3).toDouble() * toTwips, 5040, 2);
    EXPECT_NEAR(stroke.captured(4).toDouble() * toTwips, 4320, 2);
    EXPECT_TRUE(content.contains(QStringLiteral("20 w"))) << "DrawWidth is in device pixels";
    EXPECT_TRUE(content.contains(QStringLiteral("1 0 0 SCN"))) << "the line keeps its colour";
}

TEST_F(QtPrinterPdf, MeasuresInTwipsGrowingWithSizeAndBold) {
    auto printer = QtPrinter::ForPdf(path(QStringLiteral("unused.pdf")));
    const QString sample = QStringLiteral("Nutrient value");
    printer->setFontSize(10);
    const double height10 = printer->TextHeight(sample);
    const double width10 = printer->TextWidth(sample);
    // A 10-point line is 200 twips of type plus leading; a wrong resolution is off by a factor.
    EXPECT_GT(height10, 200);
    EXPECT_LT(height10, 320);
    EXPECT_GT(width10, 14 * 200 * 0.3);
    EXPECT_LT(width10, 14 * 200 * 0.8);
    EXPECT_EQ(printer->TextWidth(QString()), 0);
    EXPECT_NEAR(printer->TextHeight(QStringLiteral("a\nb")), 2 * height10, 0.01);

    printer->setFontBold(true);
    EXPECT_GT(printer->TextWidth(sample), width10);
    printer->setFontBold(false);
    printer->setFontSize(20);
    EXPECT_NEAR(printer->TextWidth(sample) / width10, 2.0, 0.15);
    EXPECT_NEAR(printer->TextHeight(sample) / height10, 2.0, 0.15);
    printer->setFontSize(6);
    EXPECT_LT(printer->TextWidth(sample), width10);

    EXPECT_FALSE(QFile::exists(path(QStringLiteral("unused.pdf")))) << "measuring is no output";
}

TEST_F(QtPrinterPdf, PageIsA4LessTheMarginsAndOrientationSwapsIt) {
    const QString file = path(QStringLiteral("orientation.pdf"));
    auto printer = QtPrinter::ForPdf(file);
    const double margins = 2 * 1440 / 4.0;
    EXPECT_NEAR(printer->ScaleWidth(), 11906 - margins, 20);
    EXPECT_NEAR(printer->ScaleHeight(), 16838 - margins, 20);
    const double portraitWidth = printer->ScaleWidth();
    const double portraitHeight = printer->ScaleHeight();

    printer->setOrientation(2);
    EXPECT_DOUBLE_EQ(printer->ScaleWidth(), portraitHeight);
    EXPECT_DOUBLE_EQ(printer->ScaleHeight(), portraitWidth);

    printer->Print(QStringLiteral("landscape page"));
    printer->setOrientation(1);
    EXPECT_DOUBLE_EQ(printer->ScaleWidth(), portraitHeight) << "until the next page";
    printer->NewPage();
    EXPECT_DOUBLE_EQ(printer->ScaleWidth(), portraitWidth);
    printer->Print(QStringLiteral("portrait page"));
    printer->EndDoc();

    const QList<QSizeF> boxes = PdfFile(file).mediaBoxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_GT(boxes[0].width(), boxes[0].height());
    EXPECT_LT(boxes[1].width(), boxes[1].height());
    EXPECT_NEAR(boxes[1].width(), 595, 1);
    EXPECT_NEAR(boxes[1].height(), 842, 1);
}

TEST_F(QtPrinterPdf, AnUnwritablePathFailsWithPrinterErrorInsteadOfSucceeding) {
    for (const QString& target :
         {path(QStringLiteral("no-such-folder/list.pdf")), dir_.path() /* a folder */}) {
        SCOPED_TRACE(target.toStdString());
        auto printer = QtPrinter::ForPdf(target);
        printer->setCurrentY(500);
        try {
            printer->Print(QStringLiteral("lost"));
            FAIL() << "printing to an unwritable file succeeded";
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.Number(), print::err::PrinterError);
        }
        EXPECT_EQ(printer->CurrentY(), 500);
        EXPECT_EQ(printer->Page(), 1);
        EXPECT_THROW(printer->NewPage(), rt::Error) << "every later output fails too";
        EXPECT_NO_THROW(printer->EndDoc());
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("no-such-folder/list.pdf"))));
}

TEST_F(QtPrinterPdf, AFullDiskFailsAtEndDocAndTheDeviceIsLeftAlone) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) {
        GTEST_SKIP() << "no /dev/full here";
    }
    auto printer = QtPrinter::ForPdf(QStringLiteral("/dev/full"));
    printer->Print(QStringLiteral("nowhere to go"));
    try {
        printer->EndDoc();
        FAIL() << "a PDF that could not be written was reported as finished";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), print::err::PrinterError);
    }
    EXPECT_EQ(printer->Page(), 1);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/dev/full")));
}

TEST_F(QtPrinterPdf, AnEmptyPathIsRefusedRatherThanSentToThePrinter) {
    try {
        QtPrinter::ForPdf(QString());
        FAIL() << "an empty PDF path was accepted";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), rt::err::BadFileNameOrNumber);
    }
}

TEST_F(QtPrinterPdf, KillDocLeavesNoPartialFile) {
    const QString file = path(QStringLiteral("killed.pdf"));
    auto printer = QtPrinter::ForPdf(file);
    printer->Print(QStringLiteral("abandoned"));
    printer->NewPage();
    printer->KillDoc();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(printer->Page(), 1);

    printer->Print(QStringLiteral("second try"));
    printer->EndDoc();
    EXPECT_EQ(PdfFile(file).pageCount(), 1);
}

TEST_F(QtPrinterPdf, DestroyingThePrinterFinishesAPendingDocument) {
    const QString file = path(QStringLiteral("pending.pdf"));
    {
        auto printer = QtPrinter::ForPdf(file);
        printer->Print(QStringLiteral("never ended"));
    }
    const PdfFile pdf(file);
    EXPECT_TRUE(pdf.raw().trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pdf.pageCount(), 1);
}

}  // namespace
