// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/grade_ranges.h"

#include "shared/ini_files.h"
#include "shared/number_text.h"
#include "shared/rounding.h"

namespace tallisto {

namespace {

template <std::size_t N>
void readKeys(IniFiles& ini, const std::string& file, const std::string& section,
              const std::string& prefix, std::array<std::string, N>& values) {
    for (std::size_t k = 0; k < N; ++k)
        values[k] = ini.ReadIniValue(file, section, prefix + std::to_string(k), "0");
}

// Grade k shows its own name, except that a system whose list ends at range1 and has no name for
// grade 1 shows "??" there.
template <std::size_t M>
std::string shownName(const std::array<std::string, M>& names, std::size_t k, bool listEndsHere) {
    return k == 1 && listEndsHere && names[k] == "0" ? "??" : names[k];
}

// The search both systems share: the first bound above the value gives the grade below it,
// and the list of bounds may end early. unit follows each bound in the range text.
template <std::size_t N, typename EndsList>
GradeResult findGrade(const std::array<std::string, N>& ranges,
                      const std::array<std::string, N + 1>& names, double value,
                      const std::string& unit, EndsList endsList) {
    if (numberValue(ranges[0]) > value) return {names[0], "(<" + ranges[0] + unit + ")", 0};
    for (std::size_t k = 1; k < N; ++k) {
        const std::string& below = ranges[k - 1];
        const int index = static_cast<int>(k);
        if (endsList(ranges[k]))
            return {shownName(names, k, true), "(>" + below + unit + ")", index};
        if (numberValue(ranges[k]) > value)
            return {names[k], "(>" + below + unit + " <" + ranges[k] + unit + ")", index};
    }
    return {names[N], "(>" + ranges[N - 1] + unit + ")", static_cast<int>(N)};
}

template <std::size_t N, typename EndsList>
std::vector<GradeLevel> gradesOf(const std::array<std::string, N>& ranges,
                                 const std::array<std::string, N + 1>& names, EndsList endsList) {
    std::vector<GradeLevel> grades{{names[0], "0"}};
    for (std::size_t k = 1; k <= N; ++k) {
        const bool listEndsHere = k < N && endsList(ranges[k]);
        grades.push_back({shownName(names, k, listEndsHere), ranges[k - 1]});
        if (listEndsHere) break;
    }
    return grades;
}

bool percentListEnds(const std::string& bound) {
    return numberValue(bound) == 0;
}

bool outOf20ListEnds(const std::string& bound) {
    return bound == "0";
}

} // namespace

std::string percentSystemSection(int system) {
    return "Gradesys" + std::to_string(system);
}

PercentSystem readPercentSystem(IniFiles& ini, const std::string& rangesFile, int system) {
    PercentSystem result;
    std::string section = percentSystemSection(system);
    readKeys(ini, rangesFile, section, "range", result.ranges);
    readKeys(ini, rangesFile, section, "rangename", result.names);
    return result;
}

OutOf20System readOutOf20System(IniFiles& ini, const std::string& rangesFile) {
    OutOf20System result;
    readKeys(ini, rangesFile, outOf20Section, "range", result.ranges);
    readKeys(ini, rangesFile, outOf20Section, "rangename", result.names);
    return result;
}

GradeResult findPercentGrade(const PercentSystem& system, double percentage) {
    return findGrade(system.ranges, system.names, percentage, "%", percentListEnds);
}

GradeResult findOutOf20Grade(const OutOf20System& system, double score) {
    return findGrade(system.ranges, system.names, score, "", outOf20ListEnds);
}

std::vector<GradeLevel> percentGrades(const PercentSystem& system) {
    return gradesOf(system.ranges, system.names, percentListEnds);
}

std::vector<GradeLevel> outOf20Grades(const OutOf20System& system) {
    return gradesOf(system.ranges, system.names, outOf20ListEnds);
}

double gradedPercentage(double overallPercentage) {
    return RoundToParts(overallPercentage, 2);
}

double outOf20Score(double gradedPercentage) {
    return RoundToParts(gradedPercentage / 100 * 20, 2);
}

} // namespace tallisto
