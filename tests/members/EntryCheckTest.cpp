#include <gtest/gtest.h>

#include <functional>

#include "members/EntryCheck.h"

namespace members {

void PrintTo(const EntryRefusal& r, std::ostream* os) {
    *os << '"' << r.message.toStdString() << '"' << (r.warning ? " warning" : " plain") << " field "
        << static_cast<int>(r.field) << (r.normalPointer ? " pointer" : "");
}

}  // namespace members

namespace {

using members::CheckEntry;
using members::EntryField;
using members::EntryRefusal;
using members::EntryValues;
using members::EntryWindow;

const EntryValues kWoman = {
    .name = QStringLiteral("Asha"),
    .address = QStringLiteral("12 Lake Road"),
    .phone = QStringLiteral("08023456789"),
    .email = QStringLiteral("asha@example.org"),
    .sex = QStringLiteral("Female"),
    .age = QStringLiteral("30"),
    .height = QStringLiteral("160"),
    .weight = QStringLiteral("55"),
    .condition = QStringLiteral("--"),
};

EntryRefusal warning(const char* message, EntryField field = EntryField::None) {
    return {QString::fromLatin1(message), true, field};
}

EntryRefusal plain(const char* message, EntryField field = EntryField::None) {
    return {QString::fromLatin1(message), false, field};
}

TEST(Telephone, DigitsOnly) {
    for (const char* phone : {"9876543210", "08023456789", " 12 "}) {
        EXPECT_TRUE(members::IsTelephone(QString::fromLatin1(phone))) << phone;
    }
    for (const char* phone : {"", "12-34", "-5", "1e308", "&HFFFF", "12.5", "+91 98450 12345",
                              "(080) 2345 6789", "12 34"}) {
        EXPECT_FALSE(members::IsTelephone(QString::fromLatin1(phone))) << phone;
    }
}

// Each case breaks one rule of an entry that passes, or two, where the earlier rule must win.
TEST(EntryCheck, TheFirstRuleThatFailsGivesItsMessageAndField) {
    struct Case {
        std::function<void(EntryValues&)> change;
        EntryRefusal refusal;
    };
    const Case cases[] = {
        {[](EntryValues& v) {
             v.name = QStringLiteral("  ");
             v.age.clear();
         },
         warning("Please enter a Name", EntryField::Name)},
        {[](EntryValues& v) {
             v.age.clear();
             v.phone = QStringLiteral("x");
         },
         plain("Enter age", EntryField::Age)},
        {[](EntryValues& v) { v.age = QStringLiteral("3O"); },
         plain("Enter numbers only", EntryField::Age)},
        {[](EntryValues& v) { v.age = QStringLiteral("101"); },
         warning("Please enter Age between 1 and 100", EntryField::Age)},
        {[](EntryValues& v) { v.age = QStringLiteral("0.4"); },
         warning("Please enter Age between 1 and 100", EntryField::Age)},
        {[](EntryValues& v) {
             v.phone = QStringLiteral("12-34");
             v.weight.clear();
         },
         warning("Please numbers only.", EntryField::Phone)},
        {[](EntryValues& v) { v.weight = QStringLiteral("  "); },
         warning("Please enter weight", EntryField::Weight)},
        {[](EntryValues& v) { v.weight = QStringLiteral("131"); },
         warning("Please enter numbers between 1 and 130 only.", EntryField::Weight)},
        {[](EntryValues& v) { v.height = QStringLiteral("tall"); },
         warning("Please numbers only.", EntryField::Height)},
        {[](EntryValues& v) { v.height = QStringLiteral("0.4"); },
         warning("Please enter numbers between 1 and 200 only.", EntryField::Height)},
        {[](EntryValues& v) {
             v.sex = QStringLiteral("Male");
             v.condition = QStringLiteral("Pregnant");
         },
         warning("Please remove the condition for the Male users")},
        {[](EntryValues& v) {
             v.age = QStringLiteral("10");
             v.condition = QStringLiteral("Pregnant");
         },
         warning("Please enter age between 15 and 45 for Preganent lady.")},
        {[](EntryValues& v) { v.email = QStringLiteral("o'neil@example.org"); },
         {QStringLiteral("Do not enter '"), false, EntryField::None, true}},
        // A number too big for a whole number is no rule's refusal but one of its own.
        {[](EntryValues& v) { v.age = QStringLiteral("40000"); },
         plain("Some field contain too big number, enter it again.")},
    };
    for (const Case& c : cases) {
        EntryValues v = kWoman;
        c.change(v);
        EXPECT_EQ(CheckEntry(v, EntryWindow::Register), c.refusal)
            << c.refusal.message.toStdString();
    }
    EXPECT_EQ(CheckEntry(kWoman, EntryWindow::Register), std::nullopt);
    EntryValues blanks = kWoman;
    blanks.phone = QStringLiteral("   ");
    blanks.weight = QStringLiteral(" 55 ");
    blanks.condition = QStringLiteral("Lactation (0-6 Months)");
    EXPECT_EQ(CheckEntry(blanks, EntryWindow::Register), std::nullopt);
}

TEST(EntryCheck, TheEditWindowKeepsEmptyMeasuresAndAHeightWithDecimals) {
    EntryValues v = kWoman;
    v.weight.clear();
    v.height = QStringLiteral("0.4");
    EXPECT_EQ(CheckEntry(v, EntryWindow::Edit), std::nullopt);
    EXPECT_EQ(CheckEntry(v, EntryWindow::Register),
              warning("Please enter weight", EntryField::Weight));
    v.height = QStringLiteral("200.4");
    EXPECT_EQ(CheckEntry(v, EntryWindow::Edit),
              warning("Please enter numbers between 1 and 200 only.", EntryField::Height));
    v.weight = QStringLiteral("130.4");
    v.height = QStringLiteral("200.4");
    EXPECT_EQ(CheckEntry(v, EntryWindow::Register), std::nullopt);
}

// The activity check reads the data file: it is asked only when every earlier rule passes, and
// its refusal comes before the apostrophe's.
TEST(EntryCheck, TheActivityIsAskedAfterTheOtherRules) {
    int asked = 0;
    const auto refuse = [&asked] {
        ++asked;
        return QStringLiteral("Please select a category for a child.");
    };
    EntryValues v = kWoman;
    v.sex = QStringLiteral("Male");
    v.condition = QStringLiteral("Pregnant");
    CheckEntry(v, EntryWindow::Register, refuse);
    EXPECT_EQ(asked, 0);
    v = kWoman;
    v.name = QStringLiteral("D'Souza");
    EXPECT_EQ(CheckEntry(v, EntryWindow::Register, refuse),
              plain("Please select a category for a child."));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(CheckEntry(v, EntryWindow::Register, [] { return QString(); })->message,
              QStringLiteral("Do not enter '"));
}

}  // namespace
