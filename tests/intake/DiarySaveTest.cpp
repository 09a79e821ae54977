#include "intake/DiaryEntry.h"
#include "intake/IntakeFixture.h"

namespace intake {

void PrintTo(DiarySave::Outcome outcome, std::ostream* os) {
    *os << "outcome " << static_cast<int>(outcome);
}

}  // namespace intake

namespace {

using namespace intake_test;
using intake::DiaryEntry;
using intake::DiarySave;
using Outcome = DiarySave::Outcome;

class DiarySaveTest : public IntakeTest {
  protected:
    void SetUp() override {
        IntakeTest::SetUp();
        asha = addMember(QStringLiteral("Asha"));
    }
    DiaryEntry entry(const QString& quantity, const QString& unit = QStringLiteral("Grams"),
                     const QString& food = QStringLiteral("Bajra")) const {
        return {asha, QDate(2024, 3, 1), food, quantity, unit};
    }
    static Outcome save(const DiaryEntry& e) { return DiarySave::Save(core::cn, e).outcome; }
    static QStringList diary() {
        QStringList rows;
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT idate, foodname, quantity, unit FROM dayin ORDER BY rowid"),
                core::cn);
        for (; !rs.EOF(); rs.MoveNext()) {
            rows << QStringList{rs[0].text(), rs[1].text(), rs[2].text(), rs[3].text()}.join(u' ');
        }
        return rows;
    }
    qint32 asha = 0;
};

TEST_F(DiarySaveTest, TheEntrysChecksComeFirstInTheirOrderAndWriteNothing) {
    DiaryEntry none = entry(QString(), QString(), QStringLiteral("Mother's dal"));
    none.member.reset();
    EXPECT_EQ(save(none), Outcome::NoMember);
    EXPECT_EQ(save(entry(QString(), QString(), QStringLiteral("Mother's dal"))),
              Outcome::Apostrophe);
    EXPECT_EQ(save(entry(QStringLiteral("10"), QStringLiteral("Grams"), QStringLiteral("  "))),
              Outcome::FieldsEmpty);
    for (const char* amount : {"", " ", "30000.01", "-1", "abc", "0,125", "1e400"}) {
        EXPECT_EQ(save(entry(QString::fromLatin1(amount))), Outcome::FieldsEmpty) << amount;
    }
    // A member removed since the list was filled, and a unit that is not the food's.
    DiaryEntry gone = entry(QStringLiteral("10"));
    gone.member = 0;
    EXPECT_EQ(save(gone), Outcome::UnknownMember);
    addUnit(QStringLiteral("Barley"), QStringLiteral("Cup"), 200);
    EXPECT_EQ(save(entry(QStringLiteral("1"), QStringLiteral("Cup"))), Outcome::UnknownUnit);
    EXPECT_EQ(diary(), QStringList());
}

TEST_F(DiarySaveTest, StoresGramsOfTheFoodsOwnUnitOnceADay) {
    addUnit(QStringLiteral("Bajra"), QStringLiteral("Cup"), 150);
    addUnit(QStringLiteral("Barley"), QStringLiteral("Cup"), 200);
    EXPECT_EQ(save(entry(QStringLiteral("2"), QStringLiteral("Cup"))), Outcome::Saved);
    EXPECT_EQ(save(entry(QStringLiteral("1"))), Outcome::Duplicate);
    EXPECT_EQ(save(entry(QStringLiteral("0"), QStringLiteral("Grams"), QStringLiteral("Barley"))),
              Outcome::Saved);
    DiaryEntry later = entry(QStringLiteral("30000"));
    later.day = QDate(2024, 3, 2);
    EXPECT_EQ(save(later), Outcome::Saved);
    EXPECT_EQ(diary(), (QStringList{"01-03-2024 Bajra 300 Grams", "01-03-2024 Barley 0 Grams",
                                    "02-03-2024 Bajra 30000 Grams"}));
}

// A write the data file refuses for another reason is a failure with its reason, not a
// duplicate.
TEST_F(DiarySaveTest, ARefusedWriteIsAFailureWithItsReason) {
    core::cn.Execute(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON dayin "
                       "BEGIN SELECT RAISE(ABORT, 'the data file is locked'); END"));
    const DiarySave::Result result = DiarySave::Save(core::cn, entry(QStringLiteral("10")));
    EXPECT_EQ(result.outcome, Outcome::Failed);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->Description(), QStringLiteral("the data file is locked"));
}

}  // namespace
