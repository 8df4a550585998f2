#include <gtest/gtest.h>

#include <QPersistentModelIndex>
#include <memory>

#include "SortListModel.h"
#include "TestRecords.h"

namespace {

class SortListModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model.InsertColumn(0, "Filename", Qt::AlignLeft);
        model.InsertColumn(1, "Size", Qt::AlignLeft);
    }

    int Add(const QString& name, const QString& size) {
        const QStringList texts{name, size};
        return model.InsertRow(model.rowCount(), texts,
                               std::make_unique<CountedRecord>(texts, &releases), QIcon());
    }

    QStringList Names() const {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row) {
            names << model.Text(row, 0);
        }
        return names;
    }

    std::map<QString, int> releases;
    SortListModel model;
};

}  // namespace

TEST_F(SortListModelTest, RecordsAreReleasedOnceWhenTheirRowsGo) {
    Add("a", "1");
    Add("b", "2");
    Add("c", "3");
    Add("d", "4");
    EXPECT_TRUE(model.RemoveRow(1));
    EXPECT_EQ(releases, (std::map<QString, int>{{"b", 1}}));
    EXPECT_FALSE(model.RemoveRow(3));  // only three rows left
    EXPECT_FALSE(model.RemoveRow(-1));
    EXPECT_EQ(Names(), (QStringList{"a", "c", "d"}));

    model.SetRecord(0, std::make_unique<CountedRecord>(QStringList{"a2"}, &releases));
    EXPECT_EQ(releases["a"], 1);  // the replaced record

    model.RemoveAllRows();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(releases,
              (std::map<QString, int>{{"a", 1}, {"a2", 1}, {"b", 1}, {"c", 1}, {"d", 1}}));
}

TEST(SortListModelLifetime, DestroyingTheModelReleasesEveryRecordOnce) {
    std::map<QString, int> releases;
    {
        SortListModel model;
        model.InsertColumn(0, "Filename", Qt::AlignLeft);
        for (const char* name : {"x", "y"}) {
            model.InsertRow(0, {name},
                            std::make_unique<CountedRecord>(QStringList{name}, &releases), QIcon());
        }
    }
    EXPECT_EQ(releases, (std::map<QString, int>{{"x", 1}, {"y", 1}}));
}

TEST_F(SortListModelTest, SwapExchangesTextsAndRecords) {
    Add("a", "1");
    Add("b", "2");
    ListRowRecord* first = model.Record(0);
    EXPECT_TRUE(model.SwapRows(0, 1));
    EXPECT_EQ(Names(), (QStringList{"b", "a"}));
    EXPECT_EQ(model.Text(1, 1), "1");
    EXPECT_EQ(model.Record(1), first);
    EXPECT_FALSE(model.SwapRows(1, 1));
    EXPECT_FALSE(model.SwapRows(0, 2));
    EXPECT_EQ(Names(), (QStringList{"b", "a"}));
    EXPECT_TRUE(releases.empty());
}

TEST_F(SortListModelTest, SortReordersRowsAndKeepsPersistentIndexesWithTheirRow) {
    Add("beta", "2");
    Add("Alpha", "3");
    Add("gamma", "1");
    const QPersistentModelIndex gamma(model.index(2, 0));

    model.SortRows([](const ListRowRecord* a, const ListRowRecord* b) {
        return CompareCountedRecords(a, b, 0);
    });
    EXPECT_EQ(Names(), (QStringList{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(gamma.row(), 2);

    model.SortRows([](const ListRowRecord* a, const ListRowRecord* b) {
        return CompareCountedRecords(a, b, 1);
    });
    EXPECT_EQ(Names(), (QStringList{"gamma", "beta", "Alpha"}));
    EXPECT_EQ(gamma.row(), 0);
    EXPECT_EQ(model.data(gamma, Qt::DisplayRole).toString(), "gamma");
    EXPECT_TRUE(releases.empty());
}

TEST_F(SortListModelTest, TextsOutsideTheTableAreEmptyAndNotSettable) {
    const int row = model.InsertRow(99, {"only"}, nullptr, QIcon());  // clamped to the end
    EXPECT_EQ(row, 0);
    EXPECT_EQ(model.Text(0, 1), "");
    EXPECT_EQ(model.Text(5, 0), "");
    EXPECT_TRUE(model.SetText(0, 1, "12 KB"));
    EXPECT_EQ(model.Text(0, 1), "12 KB");
    EXPECT_FALSE(model.SetText(0, 2, "no such column"));
    EXPECT_FALSE(model.SetText(1, 0, "no such row"));
    EXPECT_EQ(model.Record(0), nullptr);
}
