#include <gtest/gtest.h>

#include <optional>

#include "ProgressText.h"

namespace runner {
namespace {

TEST(ProgressText, OnlyTheFirstProgressLineOfAChunkCounts) {
    struct Case {
        const char* chunk;
        std::optional<int> position;
    };
    const Case cases[] = {
        {"Folivosoft Inc: 24\n", 24},
        {"Folivosoft Inc: 24\nFolivosoft Inc: 49\n", 24},
        {"a.doc ==> a.pdf, result=1\nFolivosoft Inc: 49\n", 49},
        {"Folivosoft Inc: 100\n", 100},
        {"Folivosoft Inc: 0", 0},
        {"Folivosoft Inc:    +7\n", 7},
        {"Folivosoft Inc: 150\nFolivosoft Inc: 50\n", std::nullopt},
        {"Folivosoft Inc: -5\n", std::nullopt},
        {"Folivosoft Inc: 99999999999999999999999\n", std::nullopt},
        {"Folivosoft Inc: abc\n", 0},
        {"a.doc ==> a.pdf, result=1\n", std::nullopt},
        {"folivosoft inc: 50\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chunk);
        EXPECT_EQ(ProgressPositionOf(c.chunk), c.position);
    }
}

TEST(ProgressText, ALineSplitAcrossChunksCountsOnlyWhenPrefixAndNumberArriveTogether) {
    EXPECT_EQ(ProgressPositionOf("a.doc ==> a.pdf, result=1\nFolivosoft In"), std::nullopt);
    EXPECT_EQ(ProgressPositionOf("c: 49\n"), std::nullopt);
    // The prefix came whole but the digits did not: the number reads as 0.
    EXPECT_EQ(ProgressPositionOf("Folivosoft Inc: "), 0);
    EXPECT_EQ(ProgressPositionOf("74\n"), std::nullopt);
}

TEST(ProgressText, OutOfRangeNumbersAreStillRecognisedAsProgressLines) {
    EXPECT_EQ(FirstProgressNumber("Folivosoft Inc: 150\n"), 150);
    EXPECT_EQ(FirstProgressNumber("no progress here"), std::nullopt);
}

TEST(ProgressText, StepPositions) {
    EXPECT_EQ(StepPosition(0, 4), 24);
    EXPECT_EQ(StepPosition(1, 4), 49);
    EXPECT_EQ(StepPosition(2, 4), 74);
    EXPECT_EQ(StepPosition(3, 4), 99);
    EXPECT_EQ(StepPosition(0, 1), 99);
    EXPECT_EQ(StepPosition(0, 200), 0);
    EXPECT_EQ(StepPosition(0, 0), std::nullopt);
}

}  // namespace
}  // namespace runner
