// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of its own for each test, removed with everything in it when the test ends.
#include <filesystem>
#include <string>
#include <string_view>

namespace tallisto::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of a file in the folder, as the program names files: a string.
    std::string file(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Raw bytes of a file, empty when it cannot be read; and the file set to exactly these bytes.
std::string bytesOf(const std::filesystem::path& file);
void putBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace tallisto::testing
