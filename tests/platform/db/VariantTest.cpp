#include <gtest/gtest.h>

#include "TestDataFile.h"
#include "db/Variant.h"
#include "runtime/Error.h"

using db::Variant;
using dbtest::errorNumber;

TEST(Variant, NullRefusesTextAndNumbersButJoinsAsEmptyText) {
    const Variant null = Variant::Null();
    EXPECT_TRUE(null.IsNull());
    EXPECT_EQ(errorNumber([&] { (void)null.toString(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(errorNumber([&] { (void)null.toDouble(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(errorNumber([&] { (void)null.toInt(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(errorNumber([&] { (void)null.toLong(); }), rt::err::InvalidUseOfNull);
    EXPECT_EQ(null.text(), QString(""));
    EXPECT_FALSE(null.text().isNull());
}

TEST(Variant, EmptyTextIsNotNull) {
    EXPECT_FALSE(Variant(QString()).IsNull());
    EXPECT_FALSE(Variant("").IsNull());
    EXPECT_EQ(Variant(QString()).toString(), QString(""));
    EXPECT_NE(Variant(""), Variant::Null());
}

TEST(Variant, NumbersBecomeTextAsThePlatformWritesThem) {
    EXPECT_EQ(Variant(3).toString(), "3");
    EXPECT_EQ(Variant(12.5).toString(), "12.5");
    EXPECT_EQ(Variant(3.0).toString(), "3");
    EXPECT_EQ(Variant(-0.25).text(), "-0.25");
    // Whole numbers beyond a double's precision keep every digit.
    EXPECT_EQ(Variant(qint64{9007199254740993}).toString(), "9007199254740993");
}

TEST(Variant, TextConvertsToNumbersOnlyWhenNumeric) {
    EXPECT_DOUBLE_EQ(Variant("12.5").toDouble(), 12.5);
    EXPECT_EQ(Variant(" 42 ").toLong(), 42);
    EXPECT_EQ(errorNumber([] { (void)Variant("abc").toDouble(); }), rt::err::TypeMismatch);
    EXPECT_EQ(errorNumber([] { (void)Variant("").toInt(); }), rt::err::TypeMismatch);
}

TEST(Variant, WholeNumberConversionsRoundHalvesToEvenAndCheckTheRange) {
    EXPECT_EQ(Variant(2.5).toInt(), 2);
    EXPECT_EQ(Variant(3.5).toInt(), 4);
    EXPECT_EQ(Variant(-2.5).toLong(), -2);
    EXPECT_EQ(Variant(32767).toInt(), 32767);
    EXPECT_EQ(errorNumber([] { (void)Variant(32768).toInt(); }), rt::err::Overflow);
    EXPECT_EQ(errorNumber([] { (void)Variant(qint64{3000000000}).toLong(); }), rt::err::Overflow);
    EXPECT_EQ(Variant(qint64{3000000000}).toDouble(), 3e9);
}

TEST(Variant, BooleansAreTheWindowsTrueAndFalse) {
    EXPECT_EQ(Variant(true).toLong(), -1);
    EXPECT_EQ(Variant(false).toLong(), 0);
}

TEST(Variant, EqualityComparesNumbersByValueAndNeverMixesKinds) {
    EXPECT_EQ(Variant(3), Variant(3.0));
    EXPECT_NE(Variant(3), Variant(3.5));
    EXPECT_NE(Variant(3), Variant("3"));
    EXPECT_EQ(Variant::Null(), Variant());
    EXPECT_NE(Variant(0), Variant::Null());
    EXPECT_NE(Variant("a"), Variant("A"));
}
