#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "runtime/Error.h"
#include "support/RecordingPrinter.h"

namespace {

using print::RecordingPrinter;
using Kind = RecordingPrinter::Entry::Kind;

constexpr double kPageHeight = RecordingPrinter::PortraitHeight;

long errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const rt::Error& e) {
        return e.Number();
    }
    return 0;
}

TEST(RecordingPrinterMetrics, LineHeightIsTheFontSizeInTwipsPlusAFifth) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    EXPECT_EQ(printer.TextHeight(QStringLiteral("x")), 240);
    EXPECT_EQ(printer.TextHeight(QString()), 240);
    printer.setFontSize(12);
    EXPECT_EQ(printer.TextHeight(QStringLiteral("x")), 288);
    printer.setFontSize(6);
    EXPECT_EQ(printer.TextHeight(QStringLiteral("x")), 144);
    printer.setFontSize(7.3);  // 175.2 rounds to a whole twip
    EXPECT_EQ(printer.TextHeight(QStringLiteral("x")), 175);
    printer.setFontSize(10);
    EXPECT_EQ(printer.TextHeight(QStringLiteral("one\ntwo\r\nthree\rfour")), 960);
}

TEST(RecordingPrinterMetrics, WidthDependsOnCharactersSizeAndBoldOnly) {
    RecordingPrinter printer;
    printer.setFontSize(12);
    EXPECT_EQ(printer.TextWidth(QStringLiteral("Hello")), 600);
    EXPECT_EQ(printer.TextWidth(QString()), 0);
    printer.setFontBold(true);
    EXPECT_EQ(printer.TextWidth(QStringLiteral("Hello")), 660);
    printer.setFontBold(false);
    printer.setFontItalic(true);
    printer.setFontUnderline(true);
    printer.setFontName(QStringLiteral("Courier New"));
    EXPECT_EQ(printer.TextWidth(QStringLiteral("Hello")), 600);

    printer.setFontSize(7.5);  // 3 x 7.5 x 11 = 247.5 rounds up
    printer.setFontBold(true);
    EXPECT_EQ(printer.TextWidth(QStringLiteral("abc")), 248);
}

TEST(RecordingPrinterMetrics, WidthCountsCharactersNotCodeUnitsAndTakesTheWidestLine) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    EXPECT_EQ(printer.TextWidth(QStringLiteral("Käse")), 400);
    EXPECT_EQ(printer.TextWidth(QString::fromUtf8("a\xF0\x9F\x8D\x8E")), 200);  // a + apple
    EXPECT_EQ(printer.TextWidth(QStringLiteral("ab\nabcd\nabc")), 400);
}

TEST(RecordingPrinterPage, OrientationSwapsThePageBeforeOutput) {
    RecordingPrinter printer;
    EXPECT_EQ(printer.Orientation(), 1);
    EXPECT_EQ(printer.ScaleWidth(), 11906);
    EXPECT_EQ(printer.ScaleHeight(), 16838);
    printer.setOrientation(2);
    EXPECT_EQ(printer.Orientation(), 2);
    EXPECT_EQ(printer.ScaleWidth(), 16838);
    EXPECT_EQ(printer.ScaleHeight(), 11906);
    printer.setOrientation(1);
    EXPECT_EQ(printer.ScaleWidth(), 11906);
}

TEST(RecordingPrinterPage, OrientationChangedDuringOutputAppliesFromTheNextPage) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    printer.Print(QStringLiteral("portrait"));
    printer.setOrientation(2);
    EXPECT_EQ(printer.ScaleHeight(), 16838) << "the page being printed keeps its size";

    // Still portrait: a line low on the page fits and does not break.
    printer.setCurrentY(15000);
    printer.Print(QStringLiteral("still page one"));
    EXPECT_EQ(printer.Page(), 1);

    printer.NewPage();
    EXPECT_EQ(printer.ScaleWidth(), 16838);
    EXPECT_EQ(printer.ScaleHeight(), 11906);
    printer.setCurrentY(11906 - 200);
    printer.Print(QStringLiteral("does not fit the landscape page"));
    EXPECT_EQ(printer.Page(), 3);

    printer.EndDoc();
    EXPECT_EQ(printer.ScaleHeight(), 11906) << "the next document starts in landscape";
}

TEST(RecordingPrinterPage, ALineThatWouldCrossTheBottomStartsANewPage) {
    RecordingPrinter printer;
    printer.setFontSize(10);  // 240 twips a line
    printer.setCurrentX(500);
    printer.setCurrentY(kPageHeight - 240);
    printer.Print(QStringLiteral("fits exactly"));
    EXPECT_EQ(printer.Page(), 1);
    EXPECT_EQ(printer.CurrentY(), kPageHeight);

    printer.setCurrentX(700);
    printer.Print(QStringLiteral("next page"));
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_EQ(printer.CurrentY(), 240);
    EXPECT_EQ(printer.CurrentX(), 0);

    const auto prints = printer.entries(Kind::Print);
    ASSERT_EQ(prints.size(), 2U);
    EXPECT_EQ(prints[0].page, 1);
    EXPECT_EQ(prints[0].x, 500);
    EXPECT_EQ(prints[0].y, kPageHeight - 240);
    EXPECT_EQ(prints[1].page, 2);
    EXPECT_EQ(prints[1].x, 700) << "the break keeps CurrentX";
    EXPECT_EQ(prints[1].y, 0);

    const auto& all = printer.entries();
    ASSERT_EQ(all.size(), 3U);
    EXPECT_EQ(all[1].kind, Kind::PageBreak);
    EXPECT_EQ(all[1].page, 2);
}

TEST(RecordingPrinterPage, OneTwipTooLowBreaksAndTheBreakUsesTheCurrentFont) {
    RecordingPrinter printer;
    printer.setFontSize(6);  // 144 twips
    printer.setCurrentY(kPageHeight - 200);
    printer.Print(QStringLiteral("small fits"));
    EXPECT_EQ(printer.Page(), 1);

    printer.setFontSize(10);  // 240 twips
    printer.setCurrentY(kPageHeight - 239);
    printer.Print(QStringLiteral("big does not"));
    EXPECT_EQ(printer.Page(), 2);
}

TEST(RecordingPrinterPage, KeptLinesBreakLikeEndedOnesAndAnEmptyLineCanStartAPage) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    printer.setCurrentX(300);
    printer.setCurrentY(kPageHeight - 100);
    printer.Print(QStringLiteral("cell"), false);
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_EQ(printer.CurrentX(), 300 + 400);
    EXPECT_EQ(printer.CurrentY(), 0);

    printer.setCurrentY(kPageHeight - 100);
    printer.Print(QString());
    EXPECT_EQ(printer.Page(), 3);
    EXPECT_EQ(printer.CurrentY(), 240);
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.printedTexts(), QStringList({QStringLiteral("cell"), QString()}));
}

TEST(RecordingPrinterPage, ALineTallerThanThePageStaysAtTheTopInsteadOfAddingEmptyPages) {
    RecordingPrinter printer;
    printer.setFontSize(1000);  // 24000 twips, taller than the page
    printer.Print(QStringLiteral("huge"));
    EXPECT_EQ(printer.Page(), 1);
    printer.Print(QStringLiteral("again"));
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_EQ(printer.entries(Kind::Print).back().y, 0);
}

TEST(RecordingPrinterPosition, EndLineMovesDownAndKeptLineMovesRight) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    printer.setCurrentX(1000);
    printer.setCurrentY(2000);
    printer.Print(QStringLiteral("ab"), false);
    EXPECT_EQ(printer.CurrentX(), 1200);
    EXPECT_EQ(printer.CurrentY(), 2000);
    printer.setFontBold(true);
    printer.Print(QStringLiteral("cd"), false);
    EXPECT_EQ(printer.CurrentX(), 1420);
    printer.Print(QStringLiteral("ef"));
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.CurrentY(), 2240);
    printer.Print(QString());
    EXPECT_EQ(printer.CurrentY(), 2480);

    const auto prints = printer.entries(Kind::Print);
    ASSERT_EQ(prints.size(), 4U);
    EXPECT_EQ(prints[1].x, 1200);
    EXPECT_EQ(prints[2].x, 1420);
    EXPECT_EQ(prints[2].y, 2000);
    EXPECT_FALSE(prints[0].endLine);
    EXPECT_TRUE(prints[2].endLine);
    EXPECT_EQ(prints[3].x, 0);
    EXPECT_EQ(prints[3].y, 2240);
}

TEST(RecordingPrinterPosition, ALineBreakInsideTheTextEndsThatLine) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    printer.setCurrentX(500);
    printer.setCurrentY(1000);
    printer.Print(QStringLiteral("first\r\nsecond"), false);
    const auto prints = printer.entries(Kind::Print);
    ASSERT_EQ(prints.size(), 2U);
    EXPECT_EQ(prints[0].text, QStringLiteral("first"));
    EXPECT_EQ(prints[0].x, 500);
    EXPECT_TRUE(prints[0].endLine);
    EXPECT_EQ(prints[1].text, QStringLiteral("second"));
    EXPECT_EQ(prints[1].x, 0);
    EXPECT_EQ(prints[1].y, 1240);
    EXPECT_FALSE(prints[1].endLine);
    EXPECT_EQ(printer.CurrentX(), 600);
    EXPECT_EQ(printer.CurrentY(), 1240);
}

TEST(RecordingPrinterPosition, EachLineOfALongTextBreaksOnItsOwn) {
    RecordingPrinter printer;
    printer.setFontSize(10);
    printer.setCurrentY(kPageHeight - 240);
    printer.Print(QStringLiteral("last on page one\nfirst on page two"));
    const auto prints = printer.entries(Kind::Print);
    ASSERT_EQ(prints.size(), 2U);
    EXPECT_EQ(prints[0].page, 1);
    EXPECT_EQ(prints[1].page, 2);
    EXPECT_EQ(prints[1].y, 0);
    EXPECT_EQ(printer.CurrentY(), 240);
}

TEST(RecordingPrinterRecording, PrintsCarryTheFontTheyWerePrintedIn) {
    RecordingPrinter printer;
    printer.setFontName(QStringLiteral("Times New Roman"));
    printer.setFontSize(16);
    printer.setFontBold(true);
    printer.setFontItalic(true);
    printer.Print(QStringLiteral("Title"));
    printer.setFontSize(8);
    printer.setFontBold(false);
    printer.setFontItalic(false);
    printer.setFontUnderline(true);
    printer.Print(QStringLiteral("Heading"), false);

    const auto prints = printer.entries(Kind::Print);
    ASSERT_EQ(prints.size(), 2U);
    EXPECT_EQ(prints[0].font.name, QStringLiteral("Times New Roman"));
    EXPECT_EQ(prints[0].font.size, 16);
    EXPECT_TRUE(prints[0].font.bold);
    EXPECT_TRUE(prints[0].font.italic);
    EXPECT_FALSE(prints[0].font.underline);
    EXPECT_EQ(prints[1].font.size, 8);
    EXPECT_FALSE(prints[1].font.bold);
    EXPECT_FALSE(prints[1].font.italic);
    EXPECT_TRUE(prints[1].font.underline);
    EXPECT_EQ(prints[1].y, 384) << "below the 16-point title";
}

TEST(RecordingPrinterRecording, LinesCarryEndsColourAndWidthAndMoveThePosition) {
    RecordingPrinter printer;
    printer.setDrawWidth(20);
    printer.Line(100, 400, 11000, 400, QColor(Qt::blue));
    EXPECT_EQ(printer.CurrentX(), 11000);
    EXPECT_EQ(printer.CurrentY(), 400);

    printer.setDrawWidth(1);
    printer.Line(0, 20000, 500, 20000);  // below the page: clipped, never a new page
    EXPECT_EQ(printer.Page(), 1);

    const auto lines = printer.entries(Kind::Line);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].page, 1);
    EXPECT_EQ(lines[0].x, 100);
    EXPECT_EQ(lines[0].y, 400);
    EXPECT_EQ(lines[0].x2, 11000);
    EXPECT_EQ(lines[0].y2, 400);
    EXPECT_EQ(lines[0].colour, QColor(Qt::blue));
    EXPECT_EQ(lines[0].drawWidth, 20);
    EXPECT_EQ(lines[1].colour, QColor(Qt::black));
    EXPECT_EQ(lines[1].drawWidth, 1);
}

TEST(RecordingPrinterRecording, PagesAndDocumentsAreRecordedInOrder) {
    RecordingPrinter printer;
    printer.setOrientation(2);
    printer.Print(QStringLiteral("a"));
    printer.setCurrentX(900);
    printer.NewPage();
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_EQ(printer.CurrentY(), 0);
    printer.Print(QStringLiteral("b"));
    printer.EndDoc();
    EXPECT_EQ(printer.Page(), 1);
    EXPECT_EQ(printer.CurrentY(), 0);

    printer.Print(QStringLiteral("c"));
    printer.KillDoc();

    const auto& all = printer.entries();
    ASSERT_EQ(all.size(), 7U);
    EXPECT_EQ(all[0].kind, Kind::Orientation);
    EXPECT_EQ(all[0].orientation, 2);
    EXPECT_EQ(all[1].kind, Kind::Print);
    EXPECT_EQ(all[2].kind, Kind::NewPage);
    EXPECT_EQ(all[2].page, 2);
    EXPECT_EQ(all[3].page, 2);
    EXPECT_EQ(all[4].kind, Kind::EndDoc);
    EXPECT_EQ(all[4].page, 2) << "EndDoc carries the page count";
    EXPECT_EQ(all[5].page, 1) << "a new document starts on page 1";
    EXPECT_EQ(all[6].kind, Kind::KillDoc);
}

TEST(RecordingPrinterRecording, EndingWithoutADocumentDoesNothing) {
    RecordingPrinter printer;
    printer.EndDoc();
    printer.KillDoc();
    EXPECT_TRUE(printer.entries().empty());
}

TEST(RecordingPrinterRecording, NewPageAsFirstOutputLeavesAnEmptyFirstPage) {
    RecordingPrinter printer;
    printer.NewPage();
    EXPECT_EQ(printer.Page(), 2);
}

TEST(RecordingPrinterNoPrinter, FirstOutputRaisesPrinterErrorAndChangesNothing) {
    RecordingPrinter printer(RecordingPrinter::Mode::NoPrinter);
    printer.setFontSize(12);
    printer.setOrientation(2);
    printer.setCurrentY(300);
    EXPECT_EQ(printer.TextWidth(QStringLiteral("ab")), 240) << "measuring needs no printer";

    try {
        printer.Print(QStringLiteral("x"));
        FAIL() << "Print succeeded without a printer";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), print::err::PrinterError);
        EXPECT_EQ(e.Description(), QStringLiteral("Printer error"));
    }
    EXPECT_EQ(printer.CurrentY(), 300);
    EXPECT_EQ(printer.Page(), 1);
    EXPECT_EQ(errorNumberOf([&] { printer.Line(0, 0, 1, 1); }), print::err::PrinterError);
    EXPECT_EQ(errorNumberOf([&] { printer.NewPage(); }), print::err::PrinterError);
    EXPECT_EQ(errorNumberOf([&] { printer.Print(QStringLiteral("again")); }),
              print::err::PrinterError);
    EXPECT_EQ(printer.Page(), 1);
    EXPECT_TRUE(printer.entries(Kind::Print).empty());
    EXPECT_TRUE(printer.entries(Kind::Line).empty());
    EXPECT_NO_THROW(printer.EndDoc());
}

TEST(RecordingPrinterValidation, UnprintableValuesAreRefusedAndKeepTheOldValue) {
    RecordingPrinter printer;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const long invalid = print::err::InvalidPropertyValue;

    printer.setFontSize(9);
    EXPECT_EQ(errorNumberOf([&] { printer.setFontSize(0); }), invalid);
    EXPECT_EQ(errorNumberOf([&] { printer.setFontSize(-4); }), invalid);
    EXPECT_EQ(errorNumberOf([&] { printer.setFontSize(nan); }), invalid);
    EXPECT_EQ(printer.FontSize(), 9);

    EXPECT_EQ(errorNumberOf([&] { printer.setOrientation(0); }), invalid);
    EXPECT_EQ(errorNumberOf([&] { printer.setOrientation(3); }), invalid);
    EXPECT_EQ(printer.Orientation(), 1);
    EXPECT_TRUE(printer.entries(Kind::Orientation).empty());

    EXPECT_EQ(errorNumberOf([&] { printer.setDrawWidth(0); }), invalid);
    EXPECT_EQ(printer.DrawWidth(), 1);

    printer.setCurrentX(-50);  // left of the printable area is allowed: it is clipped
    EXPECT_EQ(errorNumberOf([&] { printer.setCurrentX(nan); }), invalid);
    EXPECT_EQ(errorNumberOf([&] { printer.setCurrentY(inf); }), invalid);
    EXPECT_EQ(printer.CurrentX(), -50);

    EXPECT_EQ(errorNumberOf([&] { printer.Line(0, 0, nan, 0); }), print::err::InvalidProcedureCall);
    EXPECT_TRUE(printer.entries().empty());
}

}  // namespace
