// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/text_encoding.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tallisto {
namespace {

// Text whose every letter has a place in Windows-1252 is stored in it, so that the Windows
// version reads the same letters; other text in UTF-8, so that no letter is lost.
TEST(TextEncoding, textIsStoredInWindows1252WhenItFitsAndReadsBackAlike) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"ASCII", "Maths 12.5", "Maths 12.5"},
        {"e acute", "Caf\xC3\xA9", "Caf\xE9"},
        {"euro sign", "5\xE2\x82\xAC", "5\x80"},
        {"curly quotes", "\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94"},
        {"undefined byte stands for its control character", "\xC2\x81", "\x81"},
        {"Chinese", "\xE6\x95\xB0\xE5\xAD\xA6", "\xE6\x95\xB0\xE5\xAD\xA6"},
        {"Chinese beside a Windows-1252 letter", "\xC3\xA9\xE6\x95\xB0", "\xC3\xA9\xE6\x95\xB0"},
        {"Windows-1252 letters that would read as UTF-8", "\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
    };
    for (const auto& [name, text, bytes] : cases) {
        EXPECT_EQ(encodeFileText(text), bytes) << name;
        EXPECT_EQ(decodeFileText(bytes), text) << name;
    }
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string bytes(1, static_cast<char>(byte));
        EXPECT_EQ(characterCount(decodeFileText(bytes)), 1u) << byte;
        EXPECT_EQ(encodeFileText(decodeFileText(bytes)), bytes) << byte;
    }
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF[Tab 0]"), "[Tab 0]") << "a byte-order mark is dropped";
}

} // namespace
} // namespace tallisto
