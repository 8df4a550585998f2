#include <gtest/gtest.h>

#include <map>

#include "SaveModeRules.h"

namespace pages {
namespace {

struct Shown {
    bool checked = false;
    bool enabled = true;
};

// The controls as the template leaves them, after the refresh step.
std::map<int, Shown> Refreshed(const scrivola_win::SaveModeRecord& fields) {
    std::map<int, Shown> controls;
    for (int id : {1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1041, 1042, 1043, 1044}) {
        controls[id] = Shown{};
    }
    for (const ControlChange& change : SaveModeRefresh(fields)) {
        if (change.checked) {
            controls[change.id].checked = *change.checked;
        }
        if (change.enabled) {
            controls[change.id].enabled = *change.enabled;
        }
    }
    return controls;
}

scrivola_win::SaveModeRecord Fields(int make, int save, int destination = 0,
                                    std::string path = "") {
    scrivola_win::SaveModeRecord fields;
    fields.makeMode = static_cast<scrivola_win::MakePdfMode>(make);
    fields.saveMode = static_cast<scrivola_win::SaveMode>(save);
    fields.destinationMode = static_cast<scrivola_win::DestinationMode>(destination);
    fields.filenameOrPath = std::move(path);
    return fields;
}

TEST(SaveModeRules, ClicksSetTheirField) {
    struct Case {
        scrivola_win::SaveModeRecord before;
        int click;
        scrivola_win::SaveModeRecord after;
    };
    const Case cases[] = {
        {Fields(1, 1), kCombineRadio, Fields(0, 0)},  // combining leaves "beside" behind
        {Fields(1, 2), kCombineRadio, Fields(0, 2)},
        {Fields(0, 0), kPerDocumentRadio, Fields(1, 0)},
        {Fields(0, 0), kPerFolderRadio, Fields(2, 0)},
        {Fields(2, 0), kBesideRadio, Fields(2, 1)},
        {Fields(2, 1), kFixedRadio, Fields(2, 2)},
        {Fields(2, 2), kAskRadio, Fields(2, 0)},
        {Fields(0, 0), kRenameRadio, Fields(0, 0, 3)},
        {Fields(0, 0), kInsertRadio, Fields(0, 0, 1)},
        {Fields(0, 0, 3), kAppendRadio, Fields(0, 0, 2)},
        {Fields(0, 0, 3), kOverwriteRadio, Fields(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.click);
        scrivola_win::SaveModeRecord fields = c.before;
        ApplySaveModeClick(fields, c.click);
        EXPECT_EQ(fields.makeMode, c.after.makeMode);
        EXPECT_EQ(fields.saveMode, c.after.saveMode);
        EXPECT_EQ(fields.destinationMode, c.after.destinationMode);
    }
}

TEST(SaveModeRules, RefreshShowsTheFields) {
    auto shown = Refreshed(Fields(1, 2, 3));
    EXPECT_TRUE(shown[1021].checked);
    EXPECT_FALSE(shown[1020].checked || shown[1022].checked);
    EXPECT_TRUE(shown[1025].checked);
    EXPECT_TRUE(shown[1024].enabled);
    EXPECT_TRUE(shown[1026].enabled && shown[1027].enabled);
    EXPECT_TRUE(shown[1044].checked);
    EXPECT_FALSE(shown[1041].checked || shown[1042].checked || shown[1043].checked);

    // Combining never saves beside the documents: that button is greyed,
    // even while a stored combination still selects it.
    shown = Refreshed(Fields(0, 1));
    EXPECT_TRUE(shown[1024].checked);
    EXPECT_FALSE(shown[1024].enabled);
    EXPECT_FALSE(shown[1026].enabled || shown[1027].enabled);
}

TEST(SaveModeRules, OutOfRangeValuesLeaveTheirGroupAlone) {
    auto shown = Refreshed(Fields(7, 9, 4));
    for (int id : {1020, 1021, 1022, 1023, 1024, 1025, 1041, 1042, 1043, 1044}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(shown[id].checked);
        EXPECT_TRUE(shown[id].enabled);
    }
}

TEST(SaveModeRules, OutputPathCheck) {
    struct Case {
        int make;
        int save;
        const char* path;
        bool warns;
        int savedMode;
    };
    const Case cases[] = {
        {1, 2, "/out", true, 0}, {1, 2, "/out/", false, 2}, {2, 2, "/out", true, 0},
        {2, 2, "/", false, 2},   {0, 2, "/out/", true, 0},  {0, 2, "/out/a.pdf", false, 2},
        {0, 2, "", true, 0},     {1, 2, "", true, 0},       {1, 0, "/out", false, 0},
        {1, 1, "", false, 1},    {0, 1, "/out/", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.make) + "/" + std::to_string(c.save) + " " + c.path);
        scrivola_win::SaveModeRecord fields = Fields(c.make, c.save, 0, c.path);
        EXPECT_EQ(CheckOutputPath(fields), c.warns);
        EXPECT_EQ(static_cast<int>(fields.saveMode), c.savedMode);
        EXPECT_EQ(fields.filenameOrPath, c.path);
    }
}

}  // namespace
}  // namespace pages
