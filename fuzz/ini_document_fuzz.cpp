// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes parse as an INI file; keys set in it afterwards read back as set, from the document
// and from its text parsed again, and every other line stays as it was.
#include "shared/ini_document.h"
#include "shared/text_encoding.h"

#include <cstdlib>
#include <map>
#include <string>
#include <utility>

namespace {

// A few names, so that keys are often set again and sections often exist already.
const char* const sections[] = {"Tab 0", "tab 0", "Tab 1", "TabInfo", "A", "Tab 10"};
const char* const keys[] = {"Name", "name", "count", "yougot0", "outof0", "x"};

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The bytes before the first NUL are the file; each three bytes after it set one key: its
    // section, its name and the length of a value cut from the file's text.
    const std::size_t split = std::min(bytes.find('\0'), bytes.size());
    const std::string file = tallisto::decodeFileText(bytes.substr(0, split));
    tallisto::IniDocument doc = tallisto::IniDocument::parse(file);
    if (tallisto::IniDocument::parse(doc.text()).text() != doc.text()) std::abort();

    std::map<std::pair<std::string, std::string>, std::string> set;
    for (std::size_t i = split + 1; i + 3 <= bytes.size(); i += 3) {
        const char* section = sections[static_cast<unsigned char>(bytes[i]) % 6];
        const char* key = keys[static_cast<unsigned char>(bytes[i + 1]) % 6];
        std::string value = file.substr(0, static_cast<unsigned char>(bytes[i + 2]) % 40);
        doc.setValue(section, key, value);
        for (char& c : value)
            if (c == '\r' || c == '\n') c = ' ';
        set[{lower(section), lower(key)}] = value;
        if (doc.value(section, key) != value) std::abort();
    }
    if (doc.textSize() != doc.text().size()) std::abort();
    tallisto::IniDocument again = tallisto::IniDocument::parse(doc.text());
    for (const auto& [name, value] : set) {
        if (doc.value(name.first, name.second) != value) std::abort();
        if (again.value(name.first, name.second) != value) std::abort();
    }
    return 0;
}
