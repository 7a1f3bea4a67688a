#include "grading/grade_ranges.h"
#include "shared/ini_files.h"
#include "shared/number_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tallisto {
namespace {

struct GradeCase {
    const char* name;
    double value;
    GradeResult expected;
};

PercentSystem percentSystem(std::array<std::string, 6> ranges, std::array<std::string, 7> names) {
    return {std::move(ranges), std::move(names)};
}

TEST(GradeRanges, aPercentageEarnsTheGradeOfItsRange) {
    auto system =
        percentSystem({"50", "65", "80", "0", "0", "0"}, {"E", "D", "C", "B", "0", "0", "0"});
    const GradeCase cases[] = {
        {"below the first bound", 49.5, {"E", "(<50%)"}},
        {"no marks earned", 0, {"E", "(<50%)"}},
        {"at the first bound", 50, {"D", "(>50% <65%)"}},
        {"just below the second bound", 64.5, {"D", "(>50% <65%)"}},
        {"at the second bound", 65, {"C", "(>65% <80%)"}},
        {"just below the last bound", 79.5, {"C", "(>65% <80%)"}},
        {"at the last bound", 80, {"B", "(>80%)"}},
        {"far above", 100, {"B", "(>80%)"}},
    };
    for (const GradeCase& c : cases)
        EXPECT_EQ(findPercentGrade(system, c.value), c.expected) << c.name;
}

TEST(GradeRanges, aSystemWithAllSixBoundsUsesAllSevenNames) {
    auto system =
        percentSystem({"40", "50", "60", "70", "80", "90"}, {"U", "E", "D", "C", "B", "A", "A*"});
    EXPECT_EQ(findPercentGrade(system, 89.5), (GradeResult{"A", "(>80% <90%)"}));
    EXPECT_EQ(findPercentGrade(system, 90), (GradeResult{"A*", "(>90%)"}));
}

TEST(GradeRanges, boundsShowAsTheyAreWritten) {
    auto system =
        percentSystem({"50.0", "65", "0", "0", "0", "0"}, {"E", "D", "C", "0", "0", "0", "0"});
    EXPECT_EQ(findPercentGrade(system, 49.5), (GradeResult{"E", "(<50.0%)"}));
    EXPECT_EQ(findPercentGrade(system, 50), (GradeResult{"D", "(>50.0% <65%)"}));
}

TEST(GradeRanges, theEndOfAPercentListIsAnyBoundWorthZero) {
    const GradeCase oneBound[] = {
        {"below the only bound", 49.5, {"Fail", "(<50%)"}},
        {"at the only bound", 50, {"Pass", "(>50%)"}},
    };
    for (const char* end : {"0", "0.0", " 0"}) {
        auto system = percentSystem({"50", end, "65", "80", "0", "0"},
                                    {"Fail", "Pass", "Credit", "0", "0", "0", "0"});
        for (const GradeCase& c : oneBound)
            EXPECT_EQ(findPercentGrade(system, c.value), c.expected) << c.name << " " << end;
    }
}

TEST(GradeRanges, unnamedGradesShowAsTheyRead) {
    auto missing =
        percentSystem({"0", "0", "0", "0", "0", "0"}, {"0", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(findPercentGrade(missing, 72.5), (GradeResult{"??", "(>0%)"}));
    auto twoBounds =
        percentSystem({"50", "60", "0", "0", "0", "0"}, {"E", "D", "0", "0", "0", "0", "0"});
    EXPECT_EQ(findPercentGrade(twoBounds, 70), (GradeResult{"0", "(>60%)"}))
        << "only the grade above a single bound reads ??";
}

TEST(GradeRanges, aScoreOutOf20EarnsTheGradeOfItsRange) {
    OutOf20System system{{"10", "12", "15", "18"}, {"E", "D", "C", "B", "A"}};
    const GradeCase cases[] = {
        {"below the first bound", 9.5, {"E", "(<10)"}},
        {"at the first bound", 10, {"D", "(>10 <12)"}},
        {"just below the top bound", 17.5, {"B", "(>15 <18)"}},
        {"at the top bound", 18, {"A", "(>18)"}},
        {"full score", 20, {"A", "(>18)"}},
    };
    for (const GradeCase& c : cases)
        EXPECT_EQ(findOutOf20Grade(system, c.value), c.expected) << c.name;
}

TEST(GradeRanges, onlyTheText0EndsTheOutOf20List) {
    OutOf20System oneBound{{"10", "0", "15", "18"}, {"Fail", "Pass", "C", "B", "A"}};
    EXPECT_EQ(findOutOf20Grade(oneBound, 9.5), (GradeResult{"Fail", "(<10)"}));
    EXPECT_EQ(findOutOf20Grade(oneBound, 16), (GradeResult{"Pass", "(>10)"}));
    OutOf20System zeroPointZero{{"10", "0.0", "15", "18"}, {"E", "D", "C", "B", "A"}};
    EXPECT_EQ(findOutOf20Grade(zeroPointZero, 12), (GradeResult{"C", "(>0.0 <15)"}));
    OutOf20System missing{{"0", "0", "0", "0"}, {"0", "0", "0", "0", "0"}};
    EXPECT_EQ(findOutOf20Grade(missing, 14.5), (GradeResult{"??", "(>0)"}));
}

TEST(GradeRanges, everyReadTakesTheFileAsItStandsNow) {
    testing::TempDir dir;
    std::string file = dir.file("graderanges.txt");
    IniFiles ini;
    EXPECT_EQ(findPercentGrade(readPercentSystem(ini, file, 1), 72.5),
              (GradeResult{"??", "(>0%)"}));
    EXPECT_EQ(findOutOf20Grade(readOutOf20System(ini, file), 14.5), (GradeResult{"??", "(>0)"}));
    testing::putBytes(file, "[gradesys1]\r\nRANGE0=50\r\nrangename0=F\r\nrangename1=P\r\n");
    EXPECT_EQ(findPercentGrade(readPercentSystem(ini, file, 1), 55), (GradeResult{"P", "(>50%)"}));
    testing::putBytes(file, "[Gradesys1]\r\nrange0=60\r\nrangename0=F\r\nrangename1=P\r\n");
    EXPECT_EQ(findPercentGrade(readPercentSystem(ini, file, 1), 55), (GradeResult{"F", "(<60%)"}));
}

// The number of bounds before the list ends, or 0 when the bounds do not ascend.
template <std::size_t N, typename EndsList>
std::size_t ascendingBounds(const std::array<std::string, N>& ranges, EndsList endsList) {
    std::size_t count = 1;
    for (; count < N && !endsList(ranges[count]); ++count)
        if (numberValue(ranges[count]) <= numberValue(ranges[count - 1])) return 0;
    return count;
}

TEST(ShippedGradeRanges, everySystemIsOfferedWithNamedAscendingGrades) {
    std::string file = std::string(TALLISTO_DATA_DIR) + "/graderanges.txt";
    std::string bytes = testing::bytesOf(file);
    ASSERT_FALSE(bytes.empty());
    std::size_t lineFeeds = 0, lineEnds = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        lineFeeds += bytes[i] == '\n';
        lineEnds += bytes.compare(i, 2, "\r\n") == 0;
    }
    EXPECT_EQ(lineFeeds, lineEnds) << "lines end in CR LF";
    IniFiles ini;
    bool allSixBounds = false;
    for (int n = 0; n < 4; ++n) {
        std::string section = percentSystemSection(n);
        std::string name = ini.ReadIniValue(file, section, "name", "0");
        EXPECT_NE(name, "0") << section;
        EXPECT_LE(name.size(), 12u) << section;
        EXPECT_NE(numberValue(ini.ReadIniValue(file, section, "active", "0")), 0) << section;
        PercentSystem system = readPercentSystem(ini, file, n);
        std::size_t bounds = ascendingBounds(
            system.ranges, [](const std::string& b) { return numberValue(b) == 0; });
        EXPECT_GE(bounds, 1u) << section;
        for (std::size_t k = 0; k <= bounds; ++k)
            EXPECT_NE(system.names[k], "0") << section << " grade " << k;
        allSixBounds = allSixBounds || bounds == 6;
    }
    EXPECT_TRUE(allSixBounds);
    OutOf20System outOf20 = readOutOf20System(ini, file);
    std::size_t bounds =
        ascendingBounds(outOf20.ranges, [](const std::string& b) { return b == "0"; });
    EXPECT_GE(bounds, 1u);
    for (std::size_t k = 0; k <= bounds; ++k)
        EXPECT_NE(outOf20.names[k], "0") << "out-of-20 grade " << k;
}

} // namespace
} // namespace tallisto
