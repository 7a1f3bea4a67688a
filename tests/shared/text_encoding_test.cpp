#include "shared/text_encoding.h"

#include <gtest/gtest.h>

namespace tallisto {
namespace {

struct CodingCase {
    const char* name;
    std::string text; // UTF-8
    std::string bytes;
};

// Text whose every letter has a place in Windows-1252 is stored in it; other text in UTF-8.
const CodingCase codingCases[] = {
    {"ASCII", "Maths 12.5", "Maths 12.5"},
    {"e acute", "Caf\xC3\xA9", "Caf\xE9"},
    {"u umlaut", "M\xC3\xBCller", "M\xFCller"},
    {"euro sign",
     "\xE2\x82\xAC"
     "5",
     "\x80"
     "5"},
    {"curly quotes", "\xE2\x80\x9Cx\xE2\x80\x9D", "\x93x\x94"},
    {"Y with diaeresis", "\xC5\xB8", "\x9F"},
    {"undefined byte stands for its control character", "\xC2\x81", "\x81"},
    {"Chinese", "\xE6\x95\xB0\xE5\xAD\xA6", "\xE6\x95\xB0\xE5\xAD\xA6"},
    {"Chinese beside a Windows-1252 letter", "\xC3\xA9\xE6\x95\xB0", "\xC3\xA9\xE6\x95\xB0"},
    {"Windows-1252 letters that would read as UTF-8", "\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
};

TEST(TextEncoding, textIsStoredInWindows1252WhenItFitsAndReadsBackAlike) {
    for (const CodingCase& c : codingCases) {
        EXPECT_EQ(encodeFileText(c.text), c.bytes) << c.name;
        EXPECT_EQ(decodeFileText(c.bytes), c.text) << c.name;
    }
}

TEST(TextEncoding, everyWindows1252ByteReadsAsOneCharacter) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        std::string bytes(1, static_cast<char>(byte));
        std::string text = decodeFileText(bytes);
        EXPECT_EQ(characterCount(text), 1u) << byte;
        EXPECT_EQ(encodeFileText(text), bytes) << byte;
    }
}

TEST(TextEncoding, aByteOrderMarkIsDropped) {
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF[Tab 0]"), "[Tab 0]");
}

TEST(TextEncoding, charactersAreCountedAndCutWhole) {
    const std::string text = "\xE6\x95\xB0\xE5\xAD\xA6\xC3\xA9x"; // 4 characters, 9 bytes
    EXPECT_EQ(characterCount(text), 4u);
    EXPECT_EQ(leftCharacters(text, 0), "");
    EXPECT_EQ(leftCharacters(text, 1), "\xE6\x95\xB0");
    EXPECT_EQ(leftCharacters(text, 3), "\xE6\x95\xB0\xE5\xAD\xA6\xC3\xA9");
    EXPECT_EQ(leftCharacters(text, 4), text);
    EXPECT_EQ(leftCharacters(text, 99), text);
}

} // namespace
} // namespace tallisto
