// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grading systems of graderanges.txt and the search for a grade.
//
// A grading system is an ascending list of lower bounds and one more grade name than bounds.
// Bounds and names stay the texts of the file: the range text a user sees repeats a bound as it
// is written ("50.0" stays "50.0"), while comparisons use the number the text begins with.
#include <array>
#include <string>
#include <vector>

namespace tallisto {

class IniFiles;

struct GradeResult {
    std::string grade;     // the grade's name
    std::string rangeText; // e.g. "(>50% <65%)"
    int index = 0;         // the grade's place in its system: 0 is rangename0, the lowest
    bool operator==(const GradeResult&) const = default;
};

// One grade of a system: its name as the grade panel shows it, and its lower bound as the file
// writes it ("0" for the lowest grade, which has none).
struct GradeLevel {
    std::string name;
    std::string bound;
};

// One of the four percent systems ("Gradesys0" to "Gradesys3"): bounds range0..range5 and names
// rangename0..rangename6. The list of bounds ends at the first bound after range0 whose value
// is 0. Range texts carry "%".
struct PercentSystem {
    std::array<std::string, 6> ranges;
    std::array<std::string, 7> names;
};

// The out-of-20 system ("Div20GradeSys0"): bounds range0..range3, names rangename0..rangename4.
// Its list of bounds ends at the first bound after range0 whose text is exactly "0". Range texts
// carry no "%".
struct OutOf20System {
    std::array<std::string, 4> ranges;
    std::array<std::string, 5> names;
};

// Reads every bound and name of a system afresh, each with the default "0".
PercentSystem readPercentSystem(IniFiles& ini, const std::string& rangesFile, int system);
OutOf20System readOutOf20System(IniFiles& ini, const std::string& rangesFile);

// The grade of a percentage (already rounded by the caller). A value equal to a bound earns the
// higher grade; when the list ends at range1 and rangename1 is "0", the grade reads "??".
GradeResult findPercentGrade(const PercentSystem& system, double percentage);
GradeResult findOutOf20Grade(const OutOf20System& system, double score);

// Every grade a system has, from the lowest, up to the grade where its list of bounds ends.
std::vector<GradeLevel> percentGrades(const PercentSystem& system);
std::vector<GradeLevel> outOf20Grades(const OutOf20System& system);

// The percentage a grade is given for: the overall percentage rounded to a half.
double gradedPercentage(double overallPercentage);
// The score out of 20 of a graded percentage, rounded to a half, as the out-of-20 window shows it.
double outOf20Score(double gradedPercentage);

// The section name of percent system n: "Gradesys" + n.
std::string percentSystemSection(int system);
inline constexpr const char* outOf20Section = "Div20GradeSys0";

} // namespace tallisto
