// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Elements of array variables by name, "gradeRanges(2)", for the driver's `get`.
#include "shared/number_text.h"

#include <optional>
#include <string>
#include <vector>

namespace tallisto {

// When name is arrayName followed by "(index)": the element, or empty text for an index the
// array does not hold.
inline std::optional<std::string> arrayElementText(const std::string& name,
                                                   const std::string& arrayName,
                                                   const std::vector<std::string>& values) {
    const std::string prefix = arrayName + "(";
    if (name.size() <= prefix.size() || name.rfind(prefix, 0) != 0 || name.back() != ')')
        return std::nullopt;
    const double i = numberValue(name.substr(prefix.size(), name.size() - prefix.size() - 1));
    return i >= 0 && i < static_cast<double>(values.size()) ? values[static_cast<std::size_t>(i)]
                                                            : std::string();
}

} // namespace tallisto
