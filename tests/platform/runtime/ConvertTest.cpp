#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <cmath>
#include <limits>

#include "RaisedError.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace {

TEST(FormatNumber, FixedTwoDecimals) {
    EXPECT_EQ(rt::Format(0.0, "###0.00"), "0.00");
    EXPECT_EQ(rt::Format(3.0, "###0.00"), "3.00");
    EXPECT_EQ(rt::Format(0.5, "###0.00"), "0.50");
    EXPECT_EQ(rt::Format(1234.567, "###0.00"), "1234.57");
    EXPECT_EQ(rt::Format(123456.0, "###0.00"), "123456.00");  // placeholders are no limit
    EXPECT_EQ(rt::Format(-12.345, "###0.00"), "-12.35");
    EXPECT_EQ(rt::Format(1234567.891, "###0.00"), "1234567.89");  // no digit grouping
}

TEST(FormatNumber, ZeroPaddedIntegerPart) {
    EXPECT_EQ(rt::Format(7.25, "00000.00"), "00007.25");
    EXPECT_EQ(rt::Format(-3.0, "00000.00"), "-00003.00");
    EXPECT_EQ(rt::Format(123456.0, "00000.00"), "123456.00");
    EXPECT_EQ(rt::Format(0.0, "00000.00"), "00000.00");
    EXPECT_EQ(rt::Format(99999.999, "00000.00"), "100000.00");  // carry past the padding
}

TEST(FormatNumber, OptionalDigitsKeepThePoint) {
    EXPECT_EQ(rt::Format(22.857, "###.##"), "22.86");
    EXPECT_EQ(rt::Format(25.0, "###.##"), "25.");
    EXPECT_EQ(rt::Format(0.0, "###.##"), ".");
    EXPECT_EQ(rt::Format(0.5, "###.##"), ".5");
    EXPECT_EQ(rt::Format(2.50, "###.##"), "2.5");
    EXPECT_EQ(rt::Format(1234.5, "###.##"), "1234.5");
    EXPECT_EQ(rt::Format(0.004, "###.##"), ".");
    EXPECT_EQ(rt::Format(0.996, "#####.##"), "1.");
    EXPECT_EQ(rt::Format(-0.5, "#####.##"), "-.5");
    EXPECT_EQ(rt::Format(12345.678, "#####.##"), "12345.68");
}

TEST(FormatNumber, WholeNumbers) {
    EXPECT_EQ(rt::Format(0.0, "0"), "0");
    EXPECT_EQ(rt::Format(2.5, "0"), "3");  // half away from zero, unlike CInt
    EXPECT_EQ(rt::Format(3.5, "0"), "4");
    EXPECT_EQ(rt::Format(-2.5, "0"), "-3");
    EXPECT_EQ(rt::Format(0.4, "0"), "0");
    EXPECT_EQ(rt::Format(1999.5, "###0"), "2000");
    EXPECT_EQ(rt::Format(0.2, "###0"), "0");
    EXPECT_EQ(rt::Format(1e20, "0"), "100000000000000000000");
}

TEST(FormatNumber, RoundsTheValueAsWritten) {
    // Binary doubles sit just below these halves; rounding must follow the decimal text.
    EXPECT_EQ(rt::Format(2.675, "###0.00"), "2.68");
    EXPECT_EQ(rt::Format(0.125, "###0.00"), "0.13");
    EXPECT_EQ(rt::Format(1.005, "###0.00"), "1.01");
    EXPECT_EQ(rt::Format(1.015, "###.##"), "1.02");
    EXPECT_EQ(rt::Format(-2.675, "###0.00"), "-2.68");
    EXPECT_EQ(rt::Format(0.1 + 0.2, "###.##"), ".3");
    EXPECT_EQ(rt::Format(1.0 / 3.0, "###0.00"), "0.33");
    EXPECT_EQ(rt::Format(2.0 / 3.0, "###0.00"), "0.67");
    EXPECT_EQ(rt::Format(0.0049999, "###0.00"), "0.00");
    EXPECT_EQ(rt::Format(9.995, "###0.00"), "10.00");
}

TEST(FormatNumber, NeverNegativeZero) {
    EXPECT_EQ(rt::Format(-0.0, "###0.00"), "0.00");
    EXPECT_EQ(rt::Format(-0.001, "###0.00"), "0.00");
    EXPECT_EQ(rt::Format(-0.004, "###.##"), ".");
    EXPECT_EQ(rt::Format(-0.4, "0"), "0");
    EXPECT_EQ(rt::Format(-0.001, "00000.00"), "00000.00");
    EXPECT_EQ(rt::Format(-0.005, "###0.00"), "-0.01");  // rounds away, so it keeps its sign
}

TEST(FormatNumber, LiteralsAroundThePicture) {
    EXPECT_EQ(rt::Format(5.0, "0.0 kg"), "5.0 kg");
    EXPECT_EQ(rt::Format(5.0, ""), "5");
    EXPECT_EQ(rt::Format(1.0, "Fixed"), "1.00");
}

TEST(FormatNumber, UnsupportedPictureIsAnError) {
    EXPECT_EQ(raisedError([] { rt::Format(5.0, "0.0.0"); }), rt::err::InvalidProcedureCall);
    EXPECT_EQ(raisedError([] { rt::Format(5.0, "#,##0.00"); }), rt::err::InvalidProcedureCall);
    EXPECT_EQ(raisedError([] { rt::Format(5.0, "abc"); }), rt::err::InvalidProcedureCall);
}

TEST(FormatText, NumericTextIsFormattedAsItsNumber) {
    EXPECT_EQ(rt::Format(QString("7.25"), "00000.00"), "00007.25");
    EXPECT_EQ(rt::Format(QString(" 2.675 "), "###0.00"), "2.68");
    EXPECT_EQ(rt::Format(QString("-0"), "###0.00"), "0.00");
}

TEST(FormatText, OtherTextIsUnchanged) {
    EXPECT_EQ(rt::Format(QString(""), "###0.00"), "");
    EXPECT_TRUE(rt::Format(QString(), "###0.00").isEmpty());
    EXPECT_EQ(rt::Format(QString("n/a"), "###0.00"), "n/a");
    EXPECT_EQ(rt::Format(QString("12abc"), "###0.00"), "12abc");
    EXPECT_EQ(rt::Format(QString("0,125"), "00000.00"), "0,125");
    EXPECT_EQ(rt::Format(QString("   "), "###0.00"), "   ");
}

TEST(FormatDate, DayFirstPictures) {
    EXPECT_EQ(rt::Format(QDate(2024, 3, 7), "dd-MM-yyyy"), "07-03-2024");
    EXPECT_EQ(rt::Format(QDate(1999, 12, 31), "dd/MM/yyyy"), "31/12/1999");
    EXPECT_EQ(rt::Format(QDate(987, 1, 2), "dd-MM-yyyy"), "02-01-0987");
    EXPECT_EQ(rt::Format(QDate(), "dd-MM-yyyy"), "");
    EXPECT_EQ(rt::DateText(QDate(2024, 2, 29)), "29-02-2024");
}

TEST(Str, ShortestFormUpToFifteenDigits) {
    EXPECT_EQ(rt::Str(3), "3");
    EXPECT_EQ(rt::Str(12.5), "12.5");
    EXPECT_EQ(rt::Str(0.1 + 0.2), "0.3");
    EXPECT_EQ(rt::Str(-7.25), "-7.25");
    EXPECT_EQ(rt::Str(0), "0");
    EXPECT_EQ(rt::Str(-0.0), "0");
    EXPECT_EQ(rt::Str(100), "100");
    EXPECT_EQ(rt::Str(0.5), "0.5");
    EXPECT_EQ(rt::Str(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(rt::Str(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(rt::Str(123456789012345.0), "123456789012345");
    EXPECT_EQ(rt::Str(0.0001), "0.0001");
}

TEST(Str, ExponentFormForExtremes) {
    EXPECT_EQ(rt::Str(1e16), "1E+16");
    EXPECT_EQ(rt::Str(1e15), "1E+15");
    EXPECT_EQ(rt::Str(0.000015), "1.5E-05");
    EXPECT_EQ(rt::Str(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(rt::Str(1.23456789012345678e17), "1.23456789012346E+17");
    EXPECT_EQ(rt::Str(1e100), "1E+100");
    // Rounding to 15 digits can carry into the next power of ten.
    EXPECT_EQ(rt::Str(999999999999999.9), "1E+15");
}

TEST(CInt, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(rt::CInt(2.5), 2);
    EXPECT_EQ(rt::CInt(3.5), 4);
    EXPECT_EQ(rt::CInt(0.5), 0);
    EXPECT_EQ(rt::CInt(1.5), 2);
    EXPECT_EQ(rt::CInt(-2.5), -2);
    EXPECT_EQ(rt::CInt(-3.5), -4);
    EXPECT_EQ(rt::CInt(-0.5), 0);
    EXPECT_EQ(rt::CInt(2.4999), 2);
    EXPECT_EQ(rt::CInt(2.5001), 3);
    EXPECT_EQ(rt::CInt(-2.6), -3);
}

TEST(CInt, OverflowLimits) {
    EXPECT_EQ(rt::CInt(32767.0), 32767);
    EXPECT_EQ(rt::CInt(-32768.0), -32768);
    EXPECT_EQ(rt::CInt(32767.4), 32767);
    EXPECT_EQ(rt::CInt(-32768.5), -32768);  // the even neighbour is still in range
    EXPECT_EQ(raisedError([] { rt::CInt(32768.0); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CInt(32767.5); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CInt(-32769.0); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CInt(-32768.6); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CInt(std::numeric_limits<double>::quiet_NaN()); }),
              rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CInt(1e300); }), rt::err::Overflow);
}

TEST(CInt, FromText) {
    EXPECT_EQ(rt::CInt(QString("2.5")), 2);
    EXPECT_EQ(rt::CInt(QString(" -3.5 ")), -4);
    EXPECT_EQ(rt::CInt(QString("32767")), 32767);
    EXPECT_EQ(raisedError([] { rt::CInt(QString("32768")); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CInt(QString("")); }), rt::err::TypeMismatch);
    EXPECT_EQ(raisedError([] { rt::CInt(QString("12abc")); }), rt::err::TypeMismatch);
}

TEST(CLng, LimitsAndRounding) {
    EXPECT_EQ(rt::CLng(2147483647.0), 2147483647);
    EXPECT_EQ(rt::CLng(-2147483648.0), std::numeric_limits<qint32>::min());
    EXPECT_EQ(rt::CLng(100000.5), 100000);
    EXPECT_EQ(rt::CLng(100001.5), 100002);
    EXPECT_EQ(rt::CLng(-100000.5), -100000);
    EXPECT_EQ(rt::CLng(40000.0), 40000);  // beyond CInt, inside CLng
    EXPECT_EQ(raisedError([] { rt::CLng(2147483648.0); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CLng(2147483647.5); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CLng(-2147483649.0); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CLng(QString("1,000,000")); }), rt::err::TypeMismatch);
    EXPECT_EQ(raisedError([] { rt::CLng(QString("x")); }), rt::err::TypeMismatch);
}

TEST(IsNumeric, AcceptedForms) {
    for (const char* text : {"0", "12", "-12", "+12", "  12  ", "1.5", ".5", "5.", "-.5", "1E5",
                             "1e5", "1.5E-3", "2D+2", "&H1F", "&hff", "&O17", " &H10 "}) {
        EXPECT_TRUE(rt::IsNumeric(text)) << text;
    }
}

TEST(IsNumeric, RefusedForms) {
    for (const char* text :
         {"",         " ",        "   ",  ".",      "-",    "+",           "12abc",  "abc",
          "1.2.3",    "1E",       "1E+",  "E5",     "--1",  "1-",          "&H",     "&HG",
          "&O8",      "\t12",     "1,5",  "1,0000", ",100", "100,",        "1,,000", "1.000,5",
          "1E400",    "nan",      "inf",  "1 000",  "0x1F", "&H123456789", "1,000",  "0,125",
          "12,345.5", "Infinity", "-inf", "1e309"}) {
        EXPECT_FALSE(rt::IsNumeric(text)) << text;
    }
}

TEST(CDbl, ReadsTheWholeText) {
    EXPECT_DOUBLE_EQ(rt::CDbl(" 12.5 "), 12.5);
    EXPECT_DOUBLE_EQ(rt::CDbl("-1.5e2"), -150.0);
    EXPECT_DOUBLE_EQ(rt::CDbl("2D3"), 2000.0);
    EXPECT_DOUBLE_EQ(rt::CDbl(".5"), 0.5);
    EXPECT_DOUBLE_EQ(rt::CDbl("&H1F"), 31.0);
    EXPECT_DOUBLE_EQ(rt::CDbl("&O17"), 15.0);
    EXPECT_DOUBLE_EQ(rt::CDbl("&HFFFF"), -1.0);  // 16-bit values are signed
    EXPECT_DOUBLE_EQ(rt::CDbl("&H10000"), 65536.0);
    EXPECT_DOUBLE_EQ(rt::CDbl("1E-400"), 0.0);  // too small reads as zero
    EXPECT_FALSE(std::signbit(rt::CDbl("-0")));
    EXPECT_EQ(raisedError([] { rt::CDbl("12abc"); }), rt::err::TypeMismatch);
    EXPECT_EQ(raisedError([] { rt::CDbl(""); }), rt::err::TypeMismatch);
    // A comma is neither a decimal point nor a thousands separator.
    EXPECT_EQ(raisedError([] { rt::CDbl("1,5"); }), rt::err::TypeMismatch);
    EXPECT_EQ(raisedError([] { rt::CDbl("0,125"); }), rt::err::TypeMismatch);
    EXPECT_EQ(raisedError([] { rt::CDbl("1,000"); }), rt::err::TypeMismatch);
    EXPECT_DOUBLE_EQ(rt::CDbl("1e308"), 1e308);
    EXPECT_EQ(raisedError([] { rt::CDbl("1E400"); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CDbl("-1E400"); }), rt::err::Overflow);
    EXPECT_EQ(raisedError([] { rt::CDbl("0.0000001E316"); }), rt::err::Overflow);
}

TEST(Val, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(rt::Val(""), 0.0);
    EXPECT_DOUBLE_EQ(rt::Val("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(rt::Val(" 1 2 3"), 123.0);
    EXPECT_DOUBLE_EQ(rt::Val("-7.5kg"), -7.5);
    EXPECT_DOUBLE_EQ(rt::Val("abc"), 0.0);
    EXPECT_DOUBLE_EQ(rt::Val("\t4\n2"), 42.0);
    EXPECT_DOUBLE_EQ(rt::Val("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(rt::Val("1,000"), 1.0);  // no grouping in Val
    EXPECT_DOUBLE_EQ(rt::Val("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(rt::Val("1e"), 1.0);
    EXPECT_DOUBLE_EQ(rt::Val("1e+"), 1.0);
    EXPECT_DOUBLE_EQ(rt::Val("2d-1"), 0.2);
    EXPECT_DOUBLE_EQ(rt::Val(".5."), 0.5);
    EXPECT_DOUBLE_EQ(rt::Val("-"), 0.0);
    EXPECT_DOUBLE_EQ(rt::Val("&H1Fz"), 31.0);
    EXPECT_DOUBLE_EQ(rt::Val("&O178"), 15.0);
    EXPECT_DOUBLE_EQ(rt::Val("&Hz"), 0.0);
    EXPECT_DOUBLE_EQ(rt::Val("\r5"), 0.0);  // only blanks, tabs and line feeds are skipped
    EXPECT_FALSE(std::signbit(rt::Val("-0")));
    EXPECT_EQ(raisedError([] { rt::Val("1e999"); }), rt::err::Overflow);
}

TEST(Trim, BlanksOnly) {
    EXPECT_EQ(rt::Trim("  a b  "), "a b");
    EXPECT_EQ(rt::LTrim("  a  "), "a  ");
    EXPECT_EQ(rt::RTrim("  a  "), "  a");
    EXPECT_EQ(rt::Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(rt::Trim(" \t a \n "), "\t a \n");
    EXPECT_EQ(rt::Trim("    "), "");
    EXPECT_EQ(rt::Trim(""), "");
}

TEST(Dates, ParsesDayFirstText) {
    EXPECT_EQ(rt::ParseDateText("07-03-2024"), QDate(2024, 3, 7));
    EXPECT_EQ(rt::ParseDateText("07/03/2024"), QDate(2024, 3, 7));
    EXPECT_EQ(rt::ParseDateText("7-3-2024"), QDate(2024, 3, 7));
    EXPECT_EQ(rt::ParseDateText("31/12/1999"), QDate(1999, 12, 31));
    EXPECT_EQ(rt::ParseDateText("29-02-2024"), QDate(2024, 2, 29));
    EXPECT_EQ(rt::ParseDateText("29-02-2000"), QDate(2000, 2, 29));
}

TEST(Dates, RefusesImpossibleOrForeignText) {
    for (const char* text : {"29-02-2023", "29-02-1900", "31-04-2024", "00-01-2024", "01-13-2024",
                             "32-01-2024", "2024-03-07", "07-03-24", "07.03.2024", "07-03/2024",
                             " 07-03-2024", "07-03-2024x", "", "123-01-2024", "ab-cd-efgh"}) {
        EXPECT_FALSE(rt::ParseDateText(text).isValid()) << text;
        EXPECT_EQ(raisedError([&] { rt::CDate(text); }), rt::err::TypeMismatch) << text;
    }
    EXPECT_EQ(rt::CDate("1/2/2003"), QDate(2003, 2, 1));
}

TEST(Dates, TextRoundTrip) {
    for (QDate d(2023, 12, 25); d <= QDate(2024, 3, 5); d = d.addDays(1)) {
        EXPECT_EQ(rt::ParseDateText(rt::DateText(d)), d);
    }
}

TEST(Divide, RaisesOnZeroDivisor) {
    EXPECT_DOUBLE_EQ(rt::Divide(7.0, 2.0), 3.5);
    EXPECT_DOUBLE_EQ(rt::Divide(-1.0, 4.0), -0.25);
    EXPECT_EQ(raisedError([] { rt::Divide(1.0, 0.0); }), rt::err::DivisionByZero);
    EXPECT_EQ(raisedError([] { rt::Divide(0.0, 0.0); }), rt::err::DivisionByZero);
    EXPECT_EQ(raisedError([] { rt::Divide(1.0, -0.0); }), rt::err::DivisionByZero);
    EXPECT_EQ(raisedError([] { rt::Divide(1e308, 1e-308); }), rt::err::Overflow);
}

TEST(Colors, RedInTheLowByte) {
    EXPECT_EQ(rt::ColorFromLong(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(rt::ColorFromLong(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(rt::ColorFromLong(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(rt::ColorFromLong(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(rt::LongFromColor(QColor(0x56, 0x34, 0x12)), 0x123456);
    EXPECT_EQ(rt::LongFromColor(QColor(255, 255, 255)), 0xFFFFFF);
    EXPECT_EQ(rt::LongFromColor(QColor()), 0);
    for (qint32 v : {0, 0xC0C0C0, 0x8080FF, 0x00FFFF, 0xFFFFFF}) {
        EXPECT_EQ(rt::LongFromColor(rt::ColorFromLong(v)), v);
    }
}

TEST(Colors, SystemColoursFollowTheDesktop) {
    const qint32 buttonFace = static_cast<qint32>(0x8000000Fu);
    const qint32 windowText = static_cast<qint32>(0x80000008u);
    EXPECT_EQ(rt::ColorFromLong(buttonFace), QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(rt::ColorFromLong(windowText), QGuiApplication::palette().color(QPalette::Text));
}

// The decimal separator is a point whatever the user's locale.
class CommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(saved_); }

  private:
    QLocale saved_;
};

TEST_F(CommaLocale, ConversionsStillUseThePoint) {
    ASSERT_EQ(QLocale().decimalPoint(), ",");
    EXPECT_EQ(rt::Format(1234.5, "###0.00"), "1234.50");
    EXPECT_EQ(rt::Format(QString("2.5"), "###.##"), "2.5");
    EXPECT_EQ(rt::Str(12.5), "12.5");
    EXPECT_DOUBLE_EQ(rt::CDbl("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(rt::Val("3.25"), 3.25);
    EXPECT_FALSE(rt::IsNumeric("1,000"));
    EXPECT_FALSE(rt::IsNumeric("2,5"));
    EXPECT_EQ(rt::Format(QDate(2024, 3, 7), "dd-MM-yyyy"), "07-03-2024");
}

}  // namespace
