// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive/driver.h"

namespace tallisto::drive {

std::string overviewText(const std::vector<OverviewRow>& rows) {
    std::string text;
    for (const OverviewRow& row : rows)
        text += "overview name=" + row.name + " percent=" + row.percent + " grade=" + row.grade +
                " weighting=" + row.weighting + " whatif=" + std::to_string(row.whatIf) + "\n";
    return text;
}

} // namespace tallisto::drive
