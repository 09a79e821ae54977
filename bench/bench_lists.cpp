#include <benchmark/benchmark.h>

#include <QString>
#include <QVector>
#include <stdexcept>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "frame/DataFile.h"
#include "ui/Form.h"
#include "ui/ListView.h"

// Sorted list views are filled the way the food windows fill them: one entry at a time, each new
// item touched (its place read) right after it is added. Each sorted benchmark has an unsorted twin
// doing the same work, so their ratio is what keeping the order costs.

namespace {

struct Food {
    QString name;
    QString category;
    QString code;
};

// Every delivered food with its category, in the order of the data file.
const QVector<Food>& deliveredFoods() {
    static const QVector<Food> foods = [] {
        db::Connection cn;
        cn.Open(QStringLiteral(KELVORA_PROGRAM_DIR "/vdsys.vs_"),
                QString::fromLatin1(frame::kDatabasePassword), {.readOnly = true});
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT food.foodname, cat.cname, food.foodid FROM food "
                               "JOIN cat ON food.cid = cat.cid ORDER BY food.foodid"),
                cn);
        QVector<Food> result;
        for (; !rs.EOF(); rs.MoveNext()) {
            result.append({rs[QStringLiteral("foodname")].text(),
                           rs[QStringLiteral("cname")].text(),
                           rs[QStringLiteral("foodid")].text()});
        }
        if (result.size() != 542) {
            throw std::runtime_error("the delivered data file does not hold the 542 foods");
        }
        return result;
    }();
    return foods;
}

class ListWindow : public ui::Form {
  public:
    ListWindow() {
        for (const char* header : {"FOOD NAME", "CATEGORY", "CODE"}) {
            LstView.ColumnHeaders.Add(-1, QString(), QString::fromLatin1(header));
        }
    }
    ui::ListView LstView{this, QStringLiteral("LstView")};
};

// The window outlives the benchmarks on purpose: a widget must not be destroyed after the
// application object, which goes first at the end of main.
ListWindow& window() {
    static ListWindow* w = new ListWindow;
    return *w;
}

void fillListView(benchmark::State& state, bool sorted) {
    const QVector<Food>& foods = deliveredFoods();
    ui::ListView& lvw = window().LstView;
    lvw.setSorted(sorted);
    for (auto _ : state) {
        lvw.ListItems.Clear();
        qint64 places = 0;
        for (const Food& food : foods) {
            ui::ListItem& item = lvw.ListItems.Add(food.name);
            item.setSubItems(1, food.category);
            item.setSubItems(2, food.code);
            places += item.Index();
        }
        benchmark::DoNotOptimize(places);
    }
    state.SetItemsProcessed(state.iterations() * foods.size());
}

void BM_SortedListViewFill542x3(benchmark::State& state) {
    fillListView(state, true);
}
BENCHMARK(BM_SortedListViewFill542x3)->Unit(benchmark::kMillisecond);

void BM_UnsortedListViewFill542x3(benchmark::State& state) {
    fillListView(state, false);
}
BENCHMARK(BM_UnsortedListViewFill542x3)->Unit(benchmark::kMillisecond);

}  // namespace
