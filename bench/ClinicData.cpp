#include "ClinicData.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>

namespace bench {

qsizetype Statement::readAll(std::vector<QString>& into) {
    qsizetype rows = 0;
    const int columns = sqlite3_column_count(stmt_);
    while (step()) {
        for (int c = 0; c < columns; ++c) {
            into.push_back(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, c)),
                                  sqlite3_column_bytes(stmt_, c)));
        }
        ++rows;
    }
    sqlite3_reset(stmt_);
    return rows;
}

QString memberName(int i) {
    static const char* const given[] = {
        "Asha",   "Meena",   "Vikram", "Ravi",   "Lakshmi", "Arjun",  "Priya",  "Suresh", "Kavita",
        "Anil",   "Sunita",  "Rahul",  "Deepa",  "Manoj",   "Geeta",  "Sanjay", "Usha",   "Ramesh",
        "Pooja",  "Ajay",    "Rekha",  "Vijay",  "Nisha",   "Ashok",  "Seema",  "Mohan",  "Anita",
        "Rajesh", "Shanti",  "Kiran",  "Radha",  "Gopal",   "Savita", "Harish", "Mala",   "Naveen",
        "Jaya",   "Prakash", "Uma",    "Dinesh", "Latha",   "Sunil",  "Indira", "Mahesh", "Vani",
        "Kumar",  "Padma",   "Sekhar", "Bina",   "Tarun"};
    static const char* const family[] = {
        "Rao",    "Sharma", "Iyer",   "Patel",    "Reddy",     "Nair",    "Gupta",   "Das",
        "Menon",  "Singh",  "Joshi",  "Pillai",   "Kulkarni",  "Bose",    "Shetty",  "Varma",
        "Naidu",  "Mehta",  "Kapoor", "Chopra",   "Hegde",     "Bhat",    "Pandey",  "Mishra",
        "Kamath", "Desai",  "Ghosh",  "Saxena",   "Yadav",     "Jain",    "Agarwal", "Chauhan",
        "Thakur", "Dutta",  "Sinha",  "Banerjee", "Mukherjee", "Rathore", "Gowda",   "Prasad"};
    return QString::fromLatin1(given[i % 50]) + QLatin1Char(' ') +
           QString::fromLatin1(family[(i / 50) % 40]);
}

ClinicData::ClinicData(const QString& file, int members, int diaries, const QDate& from,
                       const QDate& to, int perDay)
    : path(file) {
    if (!QFile::copy(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"), path)) {
        throw std::runtime_error("the delivered data file is missing, or " + path.toStdString() +
                                 " is there already");
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    sqlite3* db = nullptr;
    check(db,
          sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
          "open");
    exec(db, "BEGIN");
    QList<QByteArray> foods;
    {
        Statement food(db, "SELECT foodname FROM food ORDER BY foodid");
        while (food.step()) {
            foods << QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(food.get(), 0)));
        }
    }
    const char* const prefixes[] = {"Mr.", "Mrs.", "Miss", "Ms.", "Dr.", "Er."};
    const char* const activities[] = {"Office worker", "Teacher", "Homemaker", "Retired",
                                      "Sedentary work"};
    Statement member(db,
                     "INSERT INTO usr (Prefix, FirstN, Address, Phone, EMail, Sex, Age, "
                     "period, Heigt, Weigh, Cndition, Activity, gid) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, 'Y', ?, ?, '--', ?, ?)");
    Statement entry(db,
                    "INSERT INTO dayin (uid, idate, foodname, quantity, unit) "
                    "VALUES (?, ?, ?, ?, 'Grams')");
    for (int i = 0; i < members; ++i) {
        const bool woman = i % 2 == 1;
        member.text(1, prefixes[i % 6]);
        member.text(2, memberName(i).toUtf8());
        member.text(3, QByteArray::number(i % 300 + 1) + ", Gandhi Road, Pune");
        member.text(4, QByteArray::number(9800000000LL + i));
        member.text(5, "member" + QByteArray::number(i) + "@example.in");
        member.text(6, woman ? "Female" : "Male");
        member.integer(7, 18 + i % 60);
        member.text(8, QByteArray::number(150 + i % 40));
        member.text(9, QByteArray::number(45 + i % 50));
        member.text(10, activities[i % 5]);
        // The sedentary groups of adult women and men.
        member.integer(11, woman ? 20 : 8);
        member.run();
        if (i >= diaries) {
            continue;
        }
        const qint64 userid = sqlite3_last_insert_rowid(db);
        int d = 0;
        for (QDate day = from; day <= to; day = day.addDays(1), ++d) {
            const QByteArray date = day.toString(QStringLiteral("dd-MM-yyyy")).toLatin1();
            for (int j = 0; j < perDay; ++j) {
                entry.integer(1, userid);
                entry.text(2, date);
                entry.text(3, foods[(i * 37 + d * perDay + j) % foods.size()]);
                entry.real(4, 25 + (i + d * 7 + j * 13) % 400);
                entry.run();
                ++diaryRows;
            }
        }
    }
    exec(db, "COMMIT");
    sqlite3_close(db);
}

QString RunFile(const QString& name) {
    static QTemporaryDir folder;
    return folder.filePath(name);
}

ClinicData MakeClinicFile(const QString& path) {
    return ClinicData(path, 5000, 500, QDate(kDiaryYear, 1, 1), QDate(kDiaryYear, 12, 31), 10);
}

}  // namespace bench
