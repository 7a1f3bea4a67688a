// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder's whole content as one value, to compare before and after in a single check.
#include "support/temp_dir.h"

#include <filesystem>
#include <map>
#include <string>

namespace tallisto::testing {

using Files = std::map<std::string, std::string>;

// Every file under dir by its relative name, with its bytes or, for a link, where it leads.
inline Files filesIn(const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    Files files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().lexically_relative(dir).string();
        if (entry.is_symlink())
            files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[name] = bytesOf(entry.path());
    }
    return files;
}

} // namespace tallisto::testing
