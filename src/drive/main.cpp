// SPDX-License-Identifier: GPL-3.0-or-later
// tallisto-drive: the program's own logic with a text view, for scenario tests.
#include "drive/driver.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr << "usage: tallisto-drive --dir DIR [--exe NAME]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    tallisto::PlatformFacts facts;
    facts.version = tallisto::buildVersion();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc)
            facts.programDir = argv[++i];
        else if (std::strcmp(argv[i], "--exe") == 0 && i + 1 < argc)
            facts.exeName = argv[++i];
        else
            return usage();
    }
    if (facts.programDir.empty()) return usage();

    tallisto::drive::Driver driver(std::cout, facts);
    for (std::string line; std::getline(std::cin, line);) {
        if (!driver.execute(line)) return 0;
    }
    if (!driver.finish()) return 0;
    return driver.scriptSucceeded() ? 0 : 1;
}
