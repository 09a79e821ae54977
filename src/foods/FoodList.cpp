#include "foods/FoodList.h"

#include "db/Recordset.h"
#include "frame/ErrorHandler.h"
#include "frame/core.h"
#include "runtime/Error.h"
#include "ui/ListView.h"

namespace foods {

bool Translates(const QString& language) {
    return language != kEnglish;
}

bool Filters(const QString& category) {
    return category != kAllFoods;
}

void FillFoodList(ui::ListView& lvw, const QString& category, const QString& language, int except) {
    lvw.ListItems.Clear();
    const bool filtered = Filters(category);
    const bool translated = Translates(language);
    QString sql = QStringLiteral(
                      "SELECT food.foodid, food.foodname, cat.cname%1 FROM food "
                      "JOIN cat ON cat.cid = food.cid ")
                      .arg(translated ? QStringLiteral(", lang.foodlangname") : QString());
    db::Params params;
    if (translated) {
        sql += QStringLiteral(
            "JOIN lang ON lang.foodid = food.foodid "
            "JOIN langcat ON langcat.langid = lang.langid AND langcat.langname = ? ");
        params.emplace_back(language);
    }
    sql += QStringLiteral("WHERE food.foodid <> ? ");
    params.emplace_back(except);
    if (filtered) {
        sql += QStringLiteral("AND cat.cname = ? ");
        params.emplace_back(category);
    }
    sql += filtered && translated ? QStringLiteral("ORDER BY food.foodname, food.foodid")
                                  : QStringLiteral("ORDER BY food.foodid");
    // The foods listed before an error stay.
    const auto read = [&] {
        db::Recordset rs;
        rs.Open(sql, core::cn, params);
        for (; !rs.EOF(); rs.MoveNext()) {
            ui::ListItem& item = lvw.ListItems.Add(rs[1].text());
            item.setTag(rs[0].text());
            if (translated) {
                item.setSubItems(1, rs[3].text());
            }
            item.setSubItems(2, rs[2].text());
        }
    };
    frame::readOrTell(lvw.Parent(), QStringLiteral("The list of foods"),
                      QStringLiteral("foods::FillFoodList"), read);
}

bool KeepPickedFood(ui::ListView& lvw, const QString& picked, int id) {
    if (picked.isEmpty()) {
        return true;
    }
    // FindItem matches without regard to case; the box names one food exactly.
    for (ui::ListItem* item = lvw.FindItem(picked); item != nullptr;) {
        if (item->Text() == picked && (id < 0 || item->Tag().toInt() == id)) {
            lvw.setSelectedItem(item);
            item->EnsureVisible();
            return true;
        }
        const int next = item->Index() + 1;
        item = next <= lvw.ListItems.Count() ? lvw.FindItem(picked, ui::lvwText, next) : nullptr;
    }
    lvw.setSelectedItem(nullptr);
    return false;
}

}  // namespace foods
