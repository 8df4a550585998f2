// The stored pair list (keys, count clamping, the delete-originals flag)
// and the page's working-copy rules.
#include <gtest/gtest.h>

#include "MonitorPairList.h"
#include "MonitorPairStore.h"
#include "MonitorTestSupport.h"
#include "settings/SettingsRecords.h"
#include "settings/SettingsStore.h"

using monitor::MonitorPair;
using monitor::MonitorPairList;

namespace {

std::string SettingsText() {
    return ReadText(scrivola_win::SettingsFilePath());
}

// A settings file with `stored` pairs and the given DirectoryNum, written
// in one go.
void WriteStoredPairs(int directoryNum, int stored) {
    std::string text = "[ImageManage]\nDirectoryNum=" + std::to_string(directoryNum) + "\n";
    for (int i = 0; i < stored; ++i) {
        text += scrivola_win::settings::ImageDirectoryAttribNameKey(i) + "=/in/" +
                std::to_string(i) + "\n";
        text += scrivola_win::settings::ImageDirectoryKey(i) + "=/out/" + std::to_string(i) + "\n";
    }
    WriteText(scrivola_win::SettingsFilePath(), text);
}

std::vector<MonitorPair> NumberedPairs(int count) {
    std::vector<MonitorPair> pairs;
    for (int i = 0; i < count; ++i) {
        pairs.push_back({"/in/" + std::to_string(i), "/out/" + std::to_string(i)});
    }
    return pairs;
}

class MonitorPairsTest : public ::testing::Test {
  protected:
    testsupport::PrivateHome home;
};

TEST_F(MonitorPairsTest, NoSectionLoadsNothingAndTheFlagOff) {
    EXPECT_TRUE(monitor::LoadMonitorPairs().empty());
    EXPECT_FALSE(scrivola_win::LoadMonitorOption().eraseOriginalFile.IsOn());
}

TEST_F(MonitorPairsTest, KeysCarryAtLeastTwoDigitsAndRoundTrip) {
    const std::vector<MonitorPair> pairs = NumberedPairs(101);
    monitor::StoreMonitorPairs(pairs);

    const std::string text = SettingsText();
    EXPECT_NE(text.find("DirectoryNum=101\n"), std::string::npos);
    for (const char* index : {"00", "03", "12", "100"}) {
        const std::string number = std::to_string(std::stoi(index));
        EXPECT_NE(
            text.find(std::string("ImageDirectoryAttribName") + index + "=/in/" + number + "\n"),
            std::string::npos)
            << index;
        EXPECT_NE(text.find(std::string("ImageDirectory") + index + "=/out/" + number + "\n"),
                  std::string::npos)
            << index;
    }
    EXPECT_EQ(text.find("ImageDirectory3="), std::string::npos);
    EXPECT_EQ(monitor::LoadMonitorPairs(), pairs);
}

TEST_F(MonitorPairsTest, DirectoryNumIsClampedToZeroAnd2000) {
    struct Case {
        int directoryNum;
        int stored;
        std::size_t loaded;
    };
    for (const Case& c : {Case{-5, 3, 0}, Case{2500, 2500, 2000}, Case{2, 3, 2}}) {
        WriteStoredPairs(c.directoryNum, c.stored);
        const std::vector<MonitorPair> pairs = monitor::LoadMonitorPairs();
        ASSERT_EQ(pairs.size(), c.loaded) << c.directoryNum;
        if (!pairs.empty()) {
            EXPECT_EQ(pairs.back().monitoredDirectory, "/in/" + std::to_string(c.loaded - 1));
        }
    }
    EXPECT_EQ(monitor::ClampDirectoryNum(-5), 0);
    EXPECT_EQ(monitor::ClampDirectoryNum(2000), 2000);
    EXPECT_EQ(monitor::ClampDirectoryNum(2500), 2000);
}

TEST_F(MonitorPairsTest, MissingAndEmptyValuesLoadAsEmptyPairs) {
    WriteText(scrivola_win::SettingsFilePath(),
              "[ImageManage]\nDirectoryNum=2\nImageDirectoryAttribName00=/in\n");
    EXPECT_EQ(monitor::LoadMonitorPairs(), (std::vector<MonitorPair>{{"/in", ""}, {"", ""}}));
}

TEST_F(MonitorPairsTest, LongStoredPathsAreNotCut) {
    const std::string longPath = "/" + std::string(400, 'p');
    monitor::StoreMonitorPairs({{longPath, "/out"}});
    EXPECT_EQ(monitor::LoadMonitorPairs().at(0).monitoredDirectory, longPath);
}

TEST_F(MonitorPairsTest, ShorterListLeavesOldKeysThatAreNotLoadedAgain) {
    monitor::StoreMonitorPairs(NumberedPairs(3));
    monitor::StoreMonitorPairs(NumberedPairs(1));

    EXPECT_NE(SettingsText().find("ImageDirectoryAttribName02=/in/2"), std::string::npos);
    EXPECT_EQ(monitor::LoadMonitorPairs(), NumberedPairs(1));
}

TEST_F(MonitorPairsTest, EraseFlagIsWrittenAsOneOrZero) {
    for (const auto& [value, expected] : {std::pair{0, 0}, {1, 1}, {2, 1}, {-7, 1}}) {
        scrivola_win::Store(
            scrivola_win::MonitorOptionRecord{scrivola_win::CheckState::FromStored(value)});
        EXPECT_EQ(scrivola_win::LoadMonitorOption().eraseOriginalFile.Stored(), expected) << value;
    }
    EXPECT_NE(SettingsText().find("[scrivola_win]\nm_bEraseOriginalFile=1"), std::string::npos);
}

TEST(MonitorPairListTest, AddTakesOnlyCompletePairs) {
    MonitorPairList list;
    EXPECT_FALSE(list.Add({"", "/out"}));
    EXPECT_FALSE(list.Add({"/in", ""}));
    EXPECT_TRUE(list.Add({"/in", "/out"}));
    EXPECT_EQ(list.Pairs(), (std::vector<MonitorPair>{{"/in", "/out"}}));
}

TEST(MonitorPairListTest, ModifyMovesThePairToTheEnd) {
    MonitorPairList list(NumberedPairs(3));
    EXPECT_TRUE(list.Modify(0, {"/edited", "/edited-out"}));
    EXPECT_EQ(list.Pairs(),
              (std::vector<MonitorPair>{
                  {"/in/1", "/out/1"}, {"/in/2", "/out/2"}, {"/edited", "/edited-out"}}));

    // An incomplete edit or a missing row leaves everything in place.
    EXPECT_FALSE(list.Modify(0, {"/x", ""}));
    EXPECT_FALSE(list.Modify(3, {"/x", "/y"}));
    EXPECT_EQ(list.Pairs().front(), (MonitorPair{"/in/1", "/out/1"}));
}

TEST(MonitorPairListTest, DeleteRemovesOnlyAnExistingRow) {
    MonitorPairList list(NumberedPairs(3));
    EXPECT_FALSE(list.Delete(-1));
    EXPECT_FALSE(list.Delete(3));
    EXPECT_TRUE(list.Delete(1));
    EXPECT_EQ(list.Pairs(), (std::vector<MonitorPair>{{"/in/0", "/out/0"}, {"/in/2", "/out/2"}}));
}

}  // namespace
