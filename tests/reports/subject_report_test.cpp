// The report block of one subject, byte for byte.
#include "support/sample_ranges.h"

#include <algorithm>

namespace tallisto::testing {
namespace {

const std::string rule(50, '-');

std::string reportOf(TestProgram& t) {
    std::string out;
    t.run([&](FrmGradeHelp& f) {
        f.GradeSysUsed();
        f.SubReport(out);
    });
    return out;
}

TEST(SubjectReport, WorkedExampleIsWrittenByteForByte) {
    TestProgram t(sampleRanges());
    t.start();
    t.enterMark("8", "10", "50");
    t.enterMark("15", "20", "25");
    t.enterMark("5", "0", "25");
    t.enterMark("1", "1", "0");
    const std::string before = t.form().frmGradeHelp.caption;

    EXPECT_EQ(reportOf(t), crlf({
                               "             Results for Tab 1",
                               "",
                               rule,
                               "  You Got  |  Out Of  |  Weighting  |  Percentage  ",
                               "     8         10         50             40",
                               "     15         20         25             18.75",
                               "     5         0         25             0",
                               "     1         1         0             0",
                               rule,
                               "",
                               rule,
                               " Total Score | Total 'Out of' | Total Weighting%",
                               "       24            31                100%",
                               rule,
                               "",
                               "Your overall percentage is 58.75%.",
                               "This is a D (>50% <65%), using Simple grading.",
                               "",
                               rule,
                               "",
                           }));
    EXPECT_EQ(t.form().frmGradeHelp.caption, before) << "the report changes nothing it shows";
    EXPECT_EQ(t.form().lstScore.list.size(), 4u);
}

TEST(SubjectReport, EmptyTabGivesTheBareBlock) {
    TestProgram t(sampleRanges());
    t.start();
    EXPECT_EQ(reportOf(t), crlf({
                               "             Results for Tab 1",
                               "",
                               rule,
                               "  You Got  |  Out Of  |  Weighting  |  Percentage  ",
                               rule,
                               "",
                               rule,
                               " Total Score | Total 'Out of' | Total Weighting%",
                               "       0            0                0%",
                               rule,
                               "",
                               "Your overall percentage is 0%.",
                               "This is a --- , using Simple grading.",
                               "",
                               rule,
                               "",
                           }));
}

TEST(SubjectReport, LinesKeepFixedBlankRunsAndReadEntriesAsNumbers) {
    TestProgram t(sampleRanges());
    t.start();
    FrmGradeHelp& f = t.form();
    f.cmdTab[0].caption = "Chemistry";
    f.lstScore.list = {"17", "12.50", "abc", "1e3"};
    f.lstTotal.list = {"20", " 25.0kg", "", "2000"};
    f.lstWeighting.list = {"10", "10", "x1", "5"};
    f.lstPercentage.list = {"8.5", "5", "0", "2.5"};
    f.lblScoreTot.caption = "17";
    f.lblTotalTest.caption = "20";
    f.lblWeightingTot.caption = "10%";

    std::string out;
    f.SubReport(out);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = out.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(out.substr(at, end - at));

    ASSERT_GE(lines.size(), 14u);
    EXPECT_EQ(lines[0], "             Results for Chemistry");
    EXPECT_EQ(lines[0].size(), 34u) << "a 9-character name, no trailing blank";
    EXPECT_EQ(lines[4], "     17         20         10             8.5");
    EXPECT_EQ(lines[4].size(), 45u);
    EXPECT_EQ(lines[5], "     12.5         25         10             5");
    EXPECT_EQ(lines[6], "     0         0         0             0");
    EXPECT_EQ(lines[7], "     1000         2000         5             2.5");
    EXPECT_EQ(lines[12], "       17            20                10%");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), std::count(out.begin(), out.end(), '\r'))
        << "every line ends in CR LF";
}

} // namespace
} // namespace tallisto::testing
