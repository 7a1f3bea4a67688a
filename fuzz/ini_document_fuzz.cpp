// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes parse as an INI file, and a value set in it reads back unchanged.
#include "shared/ini_document.h"
#include "shared/text_encoding.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tallisto::IniDocument doc = tallisto::IniDocument::parse(tallisto::decodeFileText(bytes));
    const std::string text = doc.text();

    // The first bytes choose a value to store; line breaks become blanks on writing.
    std::string value = tallisto::decodeFileText(bytes.substr(0, 40));
    doc.setValue("Tab 0", "Name", value);
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    tallisto::IniDocument again = tallisto::IniDocument::parse(doc.text());
    if (again.value("tab 0", "NAME") != value) std::abort();
    return 0;
}
