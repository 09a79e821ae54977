#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "runtime/Error.h"
#include "support/PrintQt.h"
#include "support/ScriptedHost.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

using namespace ui;

namespace {

QStringList events;

class frmList : public FormOf<frmList> {
  public:
    ListView LstView{this, "LstView"};
    ImageList ImageList1 = ImageList::withSortArrows();

    frmList() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(LstView.widget());
        LstView.ColumnHeaders.Add(-1, QStringLiteral("name"), QStringLiteral("Food"), 3000);
        LstView.ColumnHeaders.Add(-1, QStringLiteral("energy"), QStringLiteral("Energy"), 1200,
                                  lvwColumnRight);
        LstView.ColumnHeaders.Add(-1, QStringLiteral("code"), QStringLiteral("Code"), 900);
        LstView.setColumnHeaderIcons(&ImageList1);
        LstView.ItemClick = [](ListItem& item) { events << QStringLiteral("item ") + item.Text(); };
        LstView.Click = [] { events << QStringLiteral("click"); };
        LstView.DblClick = [] { events << QStringLiteral("dblclick"); };
        LstView.ColumnClick = [](ColumnHeader& header) {
            events << QStringLiteral("column ") + header.Key();
        };
    }

    void fill(const QStringList& names) {
        LstView.ListItems.Clear();
        int code = 1;
        for (const QString& name : names) {
            ListItem& item = LstView.ListItems.Add(name);
            item.setSubItems(1, QString::number(name.size() * 10));
            item.setSubItems(2, QString::number(code++));
        }
    }

    QStringList shownOrder() const {
        QStringList names;
        for (int i = 1; i <= LstView.ListItems.Count(); ++i) {
            names << LstView.ListItems(i).Text();
        }
        return names;
    }
};

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override { events.clear(); }
    frmList& shown() {
        frmList& form = frmList::instance();
        form.Show();
        events.clear();
        return form;
    }
    ScriptedHost host;
};

TEST_F(ListViewTest, SortedListIgnoresCaseAndSortsNumbersAsText) {
    frmList& form = shown();
    form.LstView.setSorted(true);
    form.fill({"rice", "Banana", "apple", "Cherry"});
    EXPECT_EQ(form.shownOrder(), (QStringList{"apple", "Banana", "Cherry", "rice"}));

    form.LstView.setSortKey(2);
    EXPECT_EQ(form.LstView.ListItems(1).SubItems(2), "1");
    form.fill({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    EXPECT_EQ(form.LstView.ListItems(1).SubItems(2), "1");
    EXPECT_EQ(form.LstView.ListItems(2).SubItems(2), "10");
    EXPECT_EQ(form.LstView.ListItems(3).SubItems(2), "2");
}

TEST_F(ListViewTest, SortedListKeepsLaterAdditionsInOrder) {
    frmList& form = shown();
    form.LstView.setSortOrder(lvwDescending);
    form.LstView.setSorted(true);
    form.fill({"wheat", "Barley"});
    form.LstView.ListItems.Add(QStringLiteral("Millet"));
    EXPECT_EQ(form.shownOrder(), (QStringList{"wheat", "Millet", "Barley"}));
    // A changed text moves its item.
    form.LstView.ListItems(1).setText(QStringLiteral("amaranth"));
    EXPECT_EQ(form.shownOrder(), (QStringList{"Millet", "Barley", "amaranth"}));
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("barley"))->Index(), 2);
    // So does a changed sort text of another column.
    form.LstView.setSortKey(2);  // code: amaranth=1, Barley=2, Millet none
    EXPECT_EQ(form.shownOrder(), (QStringList{"Barley", "amaranth", "Millet"}));
    form.LstView.ListItems(3).setSubItems(2, QStringLiteral("3"));
    EXPECT_EQ(form.shownOrder(), (QStringList{"Millet", "Barley", "amaranth"}));
}

TEST_F(ListViewTest, ChangingTheSortSettingsResortsAtOnce) {
    frmList& form = shown();
    form.fill({"b", "c", "a"});
    EXPECT_EQ(form.shownOrder(), (QStringList{"b", "c", "a"}));  // unsorted: as added
    form.LstView.setSorted(true);
    EXPECT_EQ(form.shownOrder(), (QStringList{"a", "b", "c"}));
    form.LstView.setSortOrder(lvwDescending);
    EXPECT_EQ(form.shownOrder(), (QStringList{"c", "b", "a"}));
    form.LstView.setSortKey(2);  // code: b=1, c=2, a=3
    EXPECT_EQ(form.shownOrder(), (QStringList{"a", "c", "b"}));
    // Header clicks do not sort by themselves: the windows do that in ColumnClick.
    form.LstView.setSorted(false);
    form.fill({"b", "a"});
    EXPECT_TRUE(form.LstView.clickHeader(QStringLiteral("name")));
    EXPECT_EQ(events, QStringList{"column name"});
    EXPECT_EQ(form.shownOrder(), (QStringList{"b", "a"}));
}

TEST_F(ListViewTest, FindItemMatchesTheWholeTextIgnoringCase) {
    frmList& form = shown();
    form.fill({"Rice flakes", "Rice", "rice bran"});
    ListItem* found = form.LstView.FindItem(QStringLiteral("RICE"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Text(), "Rice");
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("Ric")), nullptr);
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("Ric"), lvwText, 1, lvwPartial)->Text(),
              "Rice flakes");
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("ric"), lvwText, 2, lvwPartial)->Text(), "Rice");
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("3"), lvwSubItem)->Text(), "rice bran");
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("Rice bran"), lvwText, 3)->Text(), "rice bran");
    EXPECT_THROW(form.LstView.FindItem(QStringLiteral("x"), lvwText, 4), rt::Error);
}

TEST_F(ListViewTest, FirstItemOfAFreshListIsSelected) {
    frmList& form = shown();
    EXPECT_EQ(form.LstView.SelectedItem(), nullptr);
    form.fill({"Rice", "Wheat"});
    ASSERT_NE(form.LstView.SelectedItem(), nullptr);
    EXPECT_EQ(form.LstView.SelectedItem()->Text(), "Rice");
    EXPECT_TRUE(events.isEmpty());  // selecting from code runs no event

    form.LstView.setSelectedItem(&form.LstView.ListItems(2));
    EXPECT_EQ(form.LstView.SelectedItem(), &form.LstView.ListItems(2));
    EXPECT_THROW(form.LstView.ListItems(3), rt::Error);

    form.LstView.ListItems.Clear();
    EXPECT_EQ(form.LstView.SelectedItem(), nullptr);
    EXPECT_EQ(form.LstView.ListItems.Count(), 0);
}

TEST_F(ListViewTest, SubItemsCountUpToTheHighestSet) {
    frmList& form = shown();
    ListItem& item = form.LstView.ListItems.Add(QStringLiteral("Rice"));
    EXPECT_EQ(item.ListSubItems().Count(), 0);
    EXPECT_EQ(item.SubItems(2), "");
    item.setSubItems(3, QStringLiteral("x"));
    EXPECT_EQ(item.ListSubItems().Count(), 3);
    EXPECT_EQ(item.SubItems(1), "");
    EXPECT_EQ(item.SubItems(3), "x");
    item.setSubItems(2, QStringLiteral("345"));
    item.ListSubItems()(2).setForeColor(vbRed);
    EXPECT_EQ(item.SubItems(2), "345");
    EXPECT_EQ(form.LstView.treeWidget()->topLevelItem(0)->text(2), "345");
    EXPECT_EQ(form.LstView.treeWidget()->topLevelItem(0)->foreground(2).color(), QColor(255, 0, 0));
    EXPECT_THROW(item.SubItems(0), rt::Error);
    EXPECT_THROW(item.ListSubItems()(4), rt::Error);
}

TEST_F(ListViewTest, ItemHandlesSurviveSorting) {
    frmList& form = shown();
    form.fill({"c", "a", "b"});
    ListItem& c = form.LstView.ListItems(1);
    c.setTag(QStringLiteral("tag c"));
    form.LstView.setSorted(true);
    EXPECT_EQ(c.Index(), 3);
    EXPECT_EQ(c.Tag(), "tag c");
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("TAG C"), lvwTag), &c);
    EXPECT_EQ(&form.LstView.ListItems(3), &c);
}

TEST_F(ListViewTest, ASubItemKeepsItsPlaceWhenTheRowGrowsPastIt) {
    frmList& form = shown();
    ListItem& item = form.LstView.ListItems.Add(QStringLiteral("Rice"));
    item.setSubItems(1, QStringLiteral("345"));
    ListSubItem& energy = item.ListSubItems()(1);
    // Far beyond the columns the row made room for at first.
    item.setSubItems(6, QStringLiteral("far"));
    item.setSubItems(1, QStringLiteral("350"));
    energy.setForeColor(vbRed);
    EXPECT_EQ(&item.ListSubItems()(1), &energy);
    EXPECT_EQ(item.SubItems(1), "350");
    EXPECT_EQ(item.SubItems(6), "far");
    EXPECT_EQ(form.LstView.rowTexts(1), (QStringList{"Rice", "350", ""}));
    QTreeWidgetItem* row = form.LstView.treeWidget()->topLevelItem(0);
    EXPECT_EQ(row->foreground(1).color(), QColor(255, 0, 0));
    EXPECT_EQ(row->foreground(2).style(), Qt::NoBrush);
}

TEST_F(ListViewTest, RowsJustAddedAreThereForWhateverComesNext) {
    frmList& form = shown();
    ListView& lvw = form.LstView;
    form.fill({"Rice", "Wheat", "Millet"});
    EXPECT_EQ(lvw.treeWidget()->topLevelItemCount(), 3);
    EXPECT_EQ(lvw.rowTexts(3), (QStringList{"Millet", "60", "3"}));

    ListItem& oats = lvw.ListItems.Add(QStringLiteral("Oats"));
    EXPECT_EQ(lvw.SelectedItem(), &lvw.ListItems(1));
    oats.setSelected(true);
    EXPECT_EQ(lvw.SelectedItem(), &oats);
    EXPECT_EQ(oats.Index(), 4);

    ListItem& rye = lvw.ListItems.Add(QStringLiteral("Rye"));
    rye.setSubItems(1, QStringLiteral("30"));
    EXPECT_EQ(lvw.FindItem(QStringLiteral("30"), lvwSubItem), &rye);

    // Rows that nothing read before the list was emptied go with it.
    lvw.ListItems.Add(QStringLiteral("Maize"));
    lvw.ListItems.Clear();
    EXPECT_EQ(lvw.ListItems.Count(), 0);
    EXPECT_EQ(lvw.treeWidget()->topLevelItemCount(), 0);
    EXPECT_EQ(lvw.SelectedItem(), nullptr);

    // A sorted list that is filled, then sorted by another column before anything read it.
    lvw.setSorted(true);
    form.fill({"bb", "a", "ccc", "a"});
    lvw.setSortKey(2);
    EXPECT_EQ(form.shownOrder(), (QStringList{"bb", "a", "ccc", "a"}));
    lvw.setSortKey(1);  // equal energies keep the order of their codes
    EXPECT_EQ(form.shownOrder(), (QStringList{"a", "a", "bb", "ccc"}));
    EXPECT_EQ(lvw.ListItems(1).SubItems(2), "2");
}

TEST_F(ListViewTest, ColumnKeysAreUniqueAndLookupsFailClearly) {
    frmList& form = shown();
    try {
        form.LstView.ColumnHeaders.Add(-1, QStringLiteral("code"), QStringLiteral("Code"));
        FAIL() << "a key was used twice";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 35602);
    }
    EXPECT_EQ(form.LstView.ColumnHeaders.Count(), 3);
    EXPECT_THROW(form.LstView.ColumnHeaders(QStringLiteral("price")), rt::Error);
    EXPECT_THROW(form.LstView.ColumnHeaders(4), rt::Error);
}

TEST_F(ListViewTest, HeaderIconsByKeyOrIndex) {
    frmList& form = shown();
    ColumnHeader& name = form.LstView.ColumnHeaders(1);
    name.setIcon(QStringLiteral("up"));
    EXPECT_EQ(name.shownIcon().cacheKey(),
              form.ImageList1.picture(QStringLiteral("up"))->cacheKey());
    name.setIcon(2);
    EXPECT_EQ(name.shownIcon().cacheKey(),
              form.ImageList1.picture(QStringLiteral("down"))->cacheKey());
    name.setIcon(0);
    EXPECT_TRUE(name.shownIcon().isNull());
    EXPECT_THROW(name.setIcon(QStringLiteral("left")), rt::Error);

    form.LstView.setColumnHeaderIcons(nullptr);
    try {
        form.LstView.ColumnHeaders(2).setIcon(1);
        FAIL() << "an icon was shown without an image list";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 35613);
    }
}

TEST_F(ListViewTest, ColumnsInTwips) {
    frmList& form = shown();
    ColumnHeader& energy = form.LstView.ColumnHeaders(QStringLiteral("energy"));
    EXPECT_EQ(energy.Width(), 1200);
    EXPECT_EQ(energy.SubItemIndex(), 1);
    ColumnHeader& hidden =
        form.LstView.ColumnHeaders.Add(-1, QStringLiteral("fat"), QStringLiteral("Fat"), 0);
    EXPECT_EQ(hidden.Width(), 0);
    form.fill({"Rice"});
    form.LstView.ListItems(1).setSubItems(3, QStringLiteral("0.5"));
    EXPECT_EQ(form.LstView.rowTexts(1), (QStringList{"Rice", "40", "1"}));
    const auto alignment = form.LstView.treeWidget()->topLevelItem(0)->textAlignment(1);
    EXPECT_TRUE(alignment & Qt::AlignRight);

    form.LstView.ColumnHeaders.Add(1, QStringLiteral("no"), QStringLiteral("No."));
    EXPECT_EQ(form.LstView.ColumnHeaders(1).Key(), "no");
    EXPECT_EQ(form.LstView.ColumnHeaders(2).Key(), "name");
}

TEST_F(ListViewTest, PersonClicksFireTheEventsInOrder) {
    frmList& form = shown();
    form.fill({"Rice", "Wheat", "Maize"});
    EXPECT_TRUE(form.LstView.clickItem(2));
    EXPECT_EQ(form.LstView.SelectedItem()->Text(), "Wheat");
    EXPECT_TRUE(form.LstView.dblClickItem(QStringLiteral("Maize")));
    EXPECT_TRUE(form.LstView.clickEmpty());
    EXPECT_EQ(form.LstView.SelectedItem()->Text(), "Maize");
    EXPECT_FALSE(form.LstView.clickItem(4));
    EXPECT_EQ(events,
              (QStringList{"item Wheat", "click", "item Maize", "click", "dblclick", "click"}));
}

TEST_F(ListViewTest, ArrowKeysMoveTheSelectionAndFireItemClick) {
    frmList& form = shown();
    form.fill({"Rice", "Wheat", "Maize"});
    EXPECT_TRUE(form.LstView.pressKey(vbKeyDown));
    EXPECT_TRUE(form.LstView.pressKey(vbKeyEnd));
    EXPECT_TRUE(form.LstView.pressKey(vbKeyDown));  // at the end: nothing moves
    EXPECT_TRUE(form.LstView.pressKey(vbKeyHome));
    EXPECT_EQ(events, (QStringList{"item Wheat", "item Maize", "item Rice"}));
}

TEST_F(ListViewTest, TypingTheStartOfATextSelectsItAndFiresItemClick) {
    frmList& form = shown();
    form.fill({"Rice", "Wheat", "Rice bran oil", "Ragi"});
    EXPECT_TRUE(form.LstView.typeKeys(QStringLiteral("rice b")));
    EXPECT_EQ(form.LstView.SelectedItem()->Text(), "Rice bran oil");
    // A click starts a new search; the same letter again steps to the next item with it.
    form.LstView.clickItem(1);
    form.LstView.typeKeys(QStringLiteral("rr"));
    EXPECT_EQ(form.LstView.SelectedItem()->Text(), "Ragi");
    form.LstView.pressKey(vbKeyHome);
    form.LstView.typeKeys(QStringLiteral("wx"));  // nothing begins with "wx": Wheat stays
    EXPECT_EQ(form.LstView.SelectedItem()->Text(), "Wheat");
    form.LstView.setSelectedItem(&form.LstView.ListItems(4));
    EXPECT_EQ(events, (QStringList{"item Rice bran oil", "item Rice", "click", "item Rice bran oil",
                                   "item Ragi", "item Rice", "item Wheat"}));
}

TEST_F(ListViewTest, DisabledListTakesNoClicks) {
    frmList& form = shown();
    form.fill({"Rice"});
    form.LstView.setEnabled(false);
    EXPECT_FALSE(form.LstView.clickItem(1));
    EXPECT_FALSE(form.LstView.clickHeader(1));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(ListViewTest, LargeSortedFillStaysConsistent) {
    frmList& form = shown();
    form.LstView.setSorted(true);
    form.LstView.setSortKey(2);
    for (int i = 0; i < 10000; ++i) {
        ListItem& item = form.LstView.ListItems.Add(QStringLiteral("food %1").arg(i));
        for (int j = 1; j <= 5; ++j) {
            item.setSubItems(j, QString::number((i * 7919 + j) % 10007));
        }
    }
    ASSERT_EQ(form.LstView.ListItems.Count(), 10000);
    for (int i = 1; i < 10000; ++i) {
        ASSERT_LE(QString::compare(form.LstView.ListItems(i).SubItems(2),
                                   form.LstView.ListItems(i + 1).SubItems(2), Qt::CaseInsensitive),
                  0)
            << "at " << i;
    }
}

// What a sorted list showed when it sorted itself wholly at each read after a change: a stable
// sort by the sort column's text without regard to case, rows added since the last read coming
// after the others. Plain vectors, so that the list view can be checked against it.
class ReferenceList {
  public:
    struct Row {
        int id;
        QString texts[3];
    };

    std::vector<Row> rows;
    int selected = -1;
    bool sorted = false;
    int key = 0;
    bool descending = false;

    void add(int id, const QString& text) {
        rows.push_back(Row{id, {text, {}, {}}});
        if (rows.size() == 1) {
            selected = id;
        }
        changed(-1);
    }
    void set(int id, int column, const QString& text) {
        find(id).texts[column] = text;
        changed(column);
    }
    void setSorted(bool on) {
        sorted = on;
        if (on) {
            sortNow();
        }
    }
    void setKey(int column) {
        key = column;
        if (sorted) {
            sortNow();
        }
    }
    void setDescending(bool on) {
        descending = on;
        if (sorted) {
            sortNow();
        }
    }
    // The order a reader sees.
    QStringList read() {
        if (dirty_) {
            sortNow();
        }
        QStringList ids;
        for (const Row& row : rows) {
            ids << QString::number(row.id);
        }
        return ids;
    }
    Row& find(int id) {
        return *std::find_if(rows.begin(), rows.end(),
                             [&](const Row& row) { return row.id == id; });
    }

  private:
    void changed(int column) {
        if (sorted && (column < 0 || column == key)) {
            dirty_ = true;
        }
    }
    void sortNow() {
        dirty_ = false;
        if (!sorted || key >= 3) {
            return;
        }
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            const int order = QString::compare(a.texts[key], b.texts[key], Qt::CaseInsensitive);
            return descending ? order > 0 : order < 0;
        });
    }

    bool dirty_ = false;
};

TEST_F(ListViewTest, SortedListsShowWhatSortingAtEachReadShowed) {
    frmList& form = shown();
    ListView& lvw = form.LstView;
    ReferenceList reference;
    std::mt19937 random(20240817);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const QStringList texts = {"",   "a", "A",      "b",      "B",  "ab",
                               "aB", "c", "\u00e4", "\u00c4", "10", "9"};
    auto text = [&] { return texts[pick(static_cast<int>(texts.size()))]; };
    // The rows by their ids, which their tags carry.
    std::map<int, ListItem*> items;
    auto someId = [&] {
        return reference.rows[static_cast<size_t>(pick(static_cast<int>(reference.rows.size())))]
            .id;
    };
    auto shown = [&] {
        QStringList ids;
        for (int i = 1; i <= lvw.ListItems.Count(); ++i) {
            ids << lvw.ListItems(i).Tag();
        }
        return ids;
    };

    int nextId = 1;
    for (int step = 0; step < 6000; ++step) {
        // Phases of frequent reads, of long runs of changes without one, and of sort settings.
        const int phase = (step / 300) % 3;
        const int readEvery = phase == 0 ? 3 : (phase == 1 ? 80 : 12);
        const int count = static_cast<int>(reference.rows.size());
        const int action = pick(100);
        if (pick(readEvery) == 0) {
            const QStringList expected = reference.read();
            ASSERT_EQ(shown(), expected) << "step " << step;
            ListItem* chosen = lvw.SelectedItem();
            ASSERT_EQ(chosen != nullptr ? chosen->Tag().toInt() : -1, reference.selected)
                << "step " << step;
        } else if (action < 40 || count < 3) {
            const int id = nextId++;
            reference.add(id, text());
            ListItem& item = lvw.ListItems.Add(reference.find(id).texts[0]);
            item.setTag(QString::number(id));
            items[id] = &item;
            for (int column = 1; column <= 2; ++column) {
                if (pick(2) == 0) {
                    const QString sub = text();
                    reference.set(id, column, sub);
                    item.setSubItems(column, sub);
                }
            }
        } else if (action < 80) {
            const int id = someId();
            const int column = pick(3);
            const QString changed = text();
            reference.set(id, column, changed);
            if (column == 0) {
                items[id]->setText(changed);
            } else {
                items[id]->setSubItems(column, changed);
            }
        } else if (action < 88) {
            const int id = someId();
            reference.selected = id;
            items[id]->setSelected(true);
        } else if (action < 91) {
            reference.read();
            const int id = someId();
            const auto place = std::find_if(reference.rows.begin(), reference.rows.end(),
                                            [&](const auto& row) { return row.id == id; });
            ASSERT_EQ(items[id]->Index(), place - reference.rows.begin() + 1) << "step " << step;
        } else if (action < 94) {
            const int column = pick(4);  // 3: a column the list does not have
            reference.setKey(column);
            lvw.setSortKey(column);
        } else if (action < 96) {
            const bool descending = pick(2) == 0;
            reference.setDescending(descending);
            lvw.setSortOrder(descending ? lvwDescending : lvwAscending);
        } else if (action < 99) {
            const bool on = pick(4) != 0;
            reference.setSorted(on);
            lvw.setSorted(on);
        } else if (count > 40) {
            reference.rows.clear();
            reference.selected = -1;
            items.clear();
            lvw.ListItems.Clear();
        }
    }
}

}  // namespace
