#include "grading/grade_ranges.h"

#include "shared/ini_files.h"
#include "shared/number_text.h"

namespace tallisto {

namespace {

template <std::size_t N>
void readKeys(IniFiles& ini, const std::string& file, const std::string& section,
              const std::string& prefix, std::array<std::string, N>& values) {
    for (std::size_t k = 0; k < N; ++k)
        values[k] = ini.ReadIniValue(file, section, prefix + std::to_string(k), "0");
}

// The search both systems share: the first bound above the value gives the grade below it,
// and the list of bounds may end early. unit follows each bound in the range text.
template <std::size_t N, typename EndsList>
GradeResult findGrade(const std::array<std::string, N>& ranges,
                      const std::array<std::string, N + 1>& names, double value,
                      const std::string& unit, EndsList endsList) {
    if (numberValue(ranges[0]) > value) return {names[0], "(<" + ranges[0] + unit + ")"};
    for (std::size_t k = 1; k < N; ++k) {
        const std::string& below = ranges[k - 1];
        if (endsList(ranges[k])) {
            bool unnamed = k == 1 && names[k] == "0";
            return {unnamed ? "??" : names[k], "(>" + below + unit + ")"};
        }
        if (numberValue(ranges[k]) > value)
            return {names[k], "(>" + below + unit + " <" + ranges[k] + unit + ")"};
    }
    return {names[N], "(>" + ranges[N - 1] + unit + ")"};
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
    return findGrade(system.ranges, system.names, percentage, "%",
                     [](const std::string& bound) { return numberValue(bound) == 0; });
}

GradeResult findOutOf20Grade(const OutOf20System& system, double score) {
    return findGrade(system.ranges, system.names, score, "",
                     [](const std::string& bound) { return bound == "0"; });
}

} // namespace tallisto
