#pragma once
// Elements of array variables by name, "gradeRanges(2)", for the driver's `get`.
#include "shared/number_text.h"

#include <string>
#include <vector>

namespace tallisto {

// True when name is arrayName followed by "(index)"; text is then the element, or empty text
// for an index the array does not hold.
inline bool arrayElementText(const std::string& name, const std::string& arrayName,
                             const std::vector<std::string>& values, std::string& text) {
    const std::string prefix = arrayName + "(";
    if (name.size() <= prefix.size() || name.rfind(prefix, 0) != 0 || name.back() != ')')
        return false;
    const double i = numberValue(name.substr(prefix.size(), name.size() - prefix.size() - 1));
    text = i >= 0 && i < static_cast<double>(values.size()) ? values[static_cast<std::size_t>(i)]
                                                            : std::string();
    return true;
}

} // namespace tallisto
