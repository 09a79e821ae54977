#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

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
            ListItem& item = LstView.ListItems.Add(-1, QString(), name);
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
    form.LstView.ListItems.Add(-1, QString(), QStringLiteral("Millet"));
    EXPECT_EQ(form.shownOrder(), (QStringList{"wheat", "Millet", "Barley"}));
    // A changed text moves its item.
    form.LstView.ListItems(1).setText(QStringLiteral("amaranth"));
    EXPECT_EQ(form.shownOrder(), (QStringList{"Millet", "Barley", "amaranth"}));
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("barley"))->Index(), 2);
    // Rows added while sorted keep their places when sorting is switched off before a read.
    form.fill({"oats", "Rye", "bajra"});
    form.LstView.setSorted(false);
    EXPECT_EQ(form.shownOrder(), (QStringList{"Rye", "oats", "bajra"}));
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
    EXPECT_TRUE(form.LstView.ListItems(2).Selected());
    form.LstView.ListItems.Remove(2);
    EXPECT_EQ(form.LstView.SelectedItem(), nullptr);

    form.LstView.ListItems.Clear();
    EXPECT_EQ(form.LstView.SelectedItem(), nullptr);
    EXPECT_EQ(form.LstView.ListItems.Count(), 0);
}

TEST_F(ListViewTest, SubItemsCountUpToTheHighestSet) {
    frmList& form = shown();
    ListItem& item = form.LstView.ListItems.Add(-1, QStringLiteral("K1"), QStringLiteral("Rice"));
    EXPECT_EQ(item.ListSubItems().Count(), 0);
    EXPECT_EQ(item.SubItems(2), "");
    item.setSubItems(3, QStringLiteral("x"));
    EXPECT_EQ(item.ListSubItems().Count(), 3);
    EXPECT_EQ(item.ListSubItems()(1).Text(), "");
    EXPECT_EQ(item.SubItems(3), "x");
    item.ListSubItems()(2).setText(QStringLiteral("345"));
    item.ListSubItems()(2).setForeColor(vbRed);
    item.ListSubItems()(2).setBold(true);
    EXPECT_EQ(item.SubItems(2), "345");
    EXPECT_EQ(form.LstView.treeWidget()->topLevelItem(0)->text(2), "345");
    EXPECT_EQ(form.LstView.treeWidget()->topLevelItem(0)->foreground(2).color(), QColor(255, 0, 0));
    EXPECT_TRUE(form.LstView.treeWidget()->topLevelItem(0)->font(2).bold());
    EXPECT_FALSE(form.LstView.treeWidget()->topLevelItem(0)->font(1).bold());
    EXPECT_THROW(item.SubItems(0), rt::Error);
    EXPECT_THROW(item.ListSubItems()(4), rt::Error);
    EXPECT_EQ(&form.LstView.ListItems(QStringLiteral("K1")), &item);
}

TEST_F(ListViewTest, ItemHandlesSurviveSortingAndIndexesFollowRemovals) {
    frmList& form = shown();
    form.fill({"c", "a", "b"});
    ListItem& c = form.LstView.ListItems(1);
    c.setTag(QStringLiteral("tag c"));
    form.LstView.setSorted(true);
    EXPECT_EQ(c.Index(), 3);
    EXPECT_EQ(c.Tag(), "tag c");
    EXPECT_EQ(form.LstView.FindItem(QStringLiteral("TAG C"), lvwTag), &c);
    form.LstView.ListItems.Remove(1);
    EXPECT_EQ(c.Index(), 2);
    EXPECT_EQ(&form.LstView.ListItems(2), &c);

    // An index given to Add places the item there in an unsorted list.
    form.LstView.setSorted(false);
    form.LstView.ListItems.Add(1, QString(), QStringLiteral("first"));
    EXPECT_EQ(form.shownOrder(), (QStringList{"first", "b", "c"}));
}

TEST_F(ListViewTest, ItemIconsComeFromTheSmallImageList) {
    frmList& form = shown();
    form.LstView.setSmallIcons(&form.ImageList1);
    ListItem& item = form.LstView.ListItems.Add(-1, QString(), QStringLiteral("Rice"));
    item.setSmallIcon(QStringLiteral("down"));
    const QVariant shown = form.LstView.treeWidget()->topLevelItem(0)->data(0, Qt::DecorationRole);
    EXPECT_EQ(shown.value<QIcon>().cacheKey(),
              form.ImageList1.ListImages(QStringLiteral("down")).Picture().cacheKey());
}

TEST_F(ListViewTest, KeysAreUniqueAndLookupsFailClearly) {
    frmList& form = shown();
    form.LstView.ListItems.Add(-1, QStringLiteral("F1"), QStringLiteral("Rice"));
    try {
        form.LstView.ListItems.Add(-1, QStringLiteral("F1"), QStringLiteral("Wheat"));
        FAIL() << "a key was used twice";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.Number(), 35602);
    }
    EXPECT_EQ(form.LstView.ListItems.Count(), 1);
    EXPECT_THROW(form.LstView.ListItems(2), rt::Error);
    EXPECT_THROW(form.LstView.ListItems(QStringLiteral("F2")), rt::Error);
    form.LstView.ListItems.Remove(QStringLiteral("F1"));
    EXPECT_EQ(form.LstView.ListItems.find(QStringLiteral("F1")), nullptr);
    // The key is free again.
    form.LstView.ListItems.Add(-1, QStringLiteral("F1"), QStringLiteral("Wheat"));
}

TEST_F(ListViewTest, HeaderIconsByKeyOrIndex) {
    frmList& form = shown();
    ColumnHeader& name = form.LstView.ColumnHeaders(1);
    name.setIcon(QStringLiteral("up"));
    EXPECT_EQ(name.shownIcon().cacheKey(),
              form.ImageList1.ListImages(QStringLiteral("up")).Picture().cacheKey());
    name.setIcon(2);
    EXPECT_EQ(name.shownIcon().cacheKey(), form.ImageList1.ListImages(2).Picture().cacheKey());
    EXPECT_EQ(form.ImageList1.ListImages(2).Key(), "down");
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
    EXPECT_EQ(energy.Index(), 2);
    EXPECT_EQ(energy.Position(), 2);
    EXPECT_EQ(energy.SubItemIndex(), 1);
    form.fill({"Rice"});
    energy.setWidth(0);
    EXPECT_EQ(energy.Width(), 0);
    EXPECT_EQ(form.LstView.rowTexts(1), (QStringList{"Rice", "1"}));
    const auto alignment = form.LstView.treeWidget()->topLevelItem(0)->textAlignment(1);
    EXPECT_TRUE(alignment & Qt::AlignRight);

    ColumnHeader& first =
        form.LstView.ColumnHeaders.Add(1, QStringLiteral("no"), QStringLiteral("No."));
    EXPECT_EQ(first.Index(), 1);
    EXPECT_EQ(first.Position(), 1);
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
        ListItem& item =
            form.LstView.ListItems.Add(-1, QString(), QStringLiteral("food %1").arg(i));
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

}  // namespace
