#include "frame/DataIndexes.h"

#include <QRegularExpression>

#include "db/Connection.h"
#include "db/Recordset.h"

namespace frame {

const QStringList& ReadIndexes() {
    // The diary's day is kept as "dd-MM-yyyy" text; its calendar key (intake::DiarySql::dayKey)
    // is indexed as the reads spell it, so that a range of days of one member is found without
    // a look at any other row. The real code of a nutrient row is indexed as the nutrient
    // index computes it (foods::NutrientOffset::realCodeSql).
    static const QStringList indexes{
        QStringLiteral("CREATE INDEX usr_FirstN ON usr (FirstN, Prefix)"),
        QStringLiteral("CREATE INDEX dayin_uid_day ON dayin (uid, (substr(idate, 7, 4) || '-' || "
                       "substr(idate, 4, 2) || '-' || substr(idate, 1, 2)))"),
        QStringLiteral("CREATE INDEX foodN1_code ON foodN1 ((nutri_cd - srl_no + unit_cd))"),
    };
    return indexes;
}

int AddMissingIndexes(db::Connection& cn) {
    static const QRegularExpression name(QStringLiteral("^CREATE INDEX (\\w+) ON"));
    QStringList missing;
    for (const QString& statement : ReadIndexes()) {
        const QString index = name.match(statement).captured(1);
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?"), cn,
                {index});
        if (rs.EOF()) {
            missing.append(statement);
        }
    }
    if (missing.isEmpty()) {
        return 0;
    }
    db::Transaction transaction(cn);
    for (const QString& statement : missing) {
        cn.Execute(statement);
    }
    transaction.Commit();
    return static_cast<int>(missing.size());
}

}  // namespace frame
