#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "support/ListReading.h"
#include "support/ScriptedHost.h"
#include "ui/Controls.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

using namespace ui;

// The columns of a list as a person sees them on the screen: every header readable whatever
// width its column was given, the list's width used up, and the columns in view kept there.
namespace {

class RealInputHost : public ScriptedHost {
  public:
    bool realInput() const override { return true; }
};

class frmColumns : public FormOf<frmColumns> {
  public:
    ListView LstView{this, "LstView"};
    ImageList ImgLst = ImageList::withSortArrows();

    frmColumns() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(LstView.widget());
        LstView.setColumnHeaderIcons(&ImgLst);
        LstView.ColumnHeaders.Add(-1, QStringLiteral("a"), QStringLiteral("PREFIX"), 706, 0, 2);
        LstView.ColumnHeaders.Add(-1, QStringLiteral("b"), QStringLiteral("NAME"), 6000);
        LstView.ColumnHeaders.Add(-1, QStringLiteral("c"), QStringLiteral("SEX"), 900);
        for (int i = 1; i <= 60; ++i) {
            ListItem& item = LstView.ListItems.Add(QStringLiteral("Mr."));
            item.setSubItems(1, QStringLiteral("Member %1").arg(i, 2, 10, QLatin1Char('0')));
            item.setSubItems(2, QStringLiteral("Male"));
        }
    }
};

class ListColumnsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = &frmColumns::instance();
        form->resize(700, 300);
        form->Show();
        QApplication::processEvents();
        tree = form->LstView.treeWidget();
        header = tree->header();
    }
    void TearDown() override { Forms::discardAll(); }
    int section(const char* key) const {
        return header->sectionSize(
            form->LstView.ColumnHeaders(QString::fromLatin1(key)).SubItemIndex());
    }
    RealInputHost host;
    frmColumns* form = nullptr;
    QTreeWidget* tree = nullptr;
    QHeaderView* header = nullptr;
};

TEST_F(ListColumnsTest, AColumnIsAsWideAsItsGivenWidthOrItsHeaderAndTheLastFillsTheList) {
    ColumnHeaderCollection& columns = form->LstView.ColumnHeaders;
    // 706 twips are 47 pixels, too few for "PREFIX" and its image.
    EXPECT_GE(section("a"), ListReading::headerNeeds(*header, QStringLiteral("PREFIX")));
    EXPECT_GE(columns("a").Width(), 706);
    EXPECT_EQ(columns("b").Width(), 6000);
    EXPECT_EQ(section("b"), 400);
    // The last column takes what is left, and keeps its own width beside it.
    EXPECT_EQ(section("a") + section("b") + section("c"), tree->viewport()->width());
    EXPECT_EQ(columns("c").Width(), 900);

    form->resize(300, 300);
    QApplication::processEvents();
    EXPECT_GE(section("c"), ListReading::headerNeeds(*header, columns("c").Text()));
    EXPECT_EQ(section("b"), 400);

    // A column a person drags narrower keeps that width.
    header->resizeSection(1, 120);
    EXPECT_EQ(section("b"), 120);
    EXPECT_EQ(columns("b").Width(), 1800);
}

TEST_F(ListColumnsTest, TheColumnsInViewStayWhenCodeSelectsSortsOrRefills) {
    form->resize(300, 300);
    QApplication::processEvents();
    QScrollBar* across = tree->horizontalScrollBar();
    ASSERT_GT(across->maximum(), 0);
    across->setValue(across->maximum());
    const int inView = across->value();

    ListView& list = form->LstView;
    list.setSelectedItem(&list.ListItems(40));
    list.ListItems(55).EnsureVisible();
    list.setSortKey(1);
    list.setSortOrder(lvwDescending);
    list.setSorted(true);
    QApplication::processEvents();
    EXPECT_EQ(across->value(), inView);

    // Filled again, the first row selected, as a window does after a click on a header.
    list.ListItems.Clear();
    for (int i = 1; i <= 60; ++i) {
        list.ListItems.Add(QStringLiteral("Ms.")).setSubItems(1, "x");
    }
    QApplication::processEvents();
    EXPECT_EQ(across->value(), inView);
    EXPECT_EQ(list.SelectedItem(), &list.ListItems(1));
}

}  // namespace
