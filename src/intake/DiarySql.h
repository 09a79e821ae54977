#pragma once

#include <QDate>
#include <QString>

// The diary keeps a day as "dd-MM-yyyy" text, which does not sort or compare as the calendar
// does (01-02-2024 would come before 31-01-2024). Every statement that orders or selects diary
// rows by day goes through these helpers.
namespace intake::DiarySql {

// A diary day text as a "yyyy-MM-dd" key in SQL: keys compare as the calendar does.
QString dayKey(const QString& column = QStringLiteral("dayin.idate"));
// The key of a date, to bind against dayKey().
QString dayKey(const QDate& date);

// The one food a diary entry stands for. The diary names its food; where several foods bear
// that name, the one with the lowest foodid counts, everywhere the diary is read.
QString foodOf(const QString& foodnameColumn = QStringLiteral("dayin.foodname"));

}  // namespace intake::DiarySql
