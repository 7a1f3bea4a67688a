// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Save files written out as the scenarios write them, and Open with its messages answered.
#include "support/test_program.h"

#include <string>
#include <string_view>

namespace tallisto::testing {

// The lines of "a|b|c", each ended by CR LF.
inline std::string lines(std::string_view text) {
    std::string file;
    for (const char& c : text)
        file += c == '|' ? std::string_view("\r\n") : std::string_view(&c, 1);
    return file + "\r\n";
}

// Opens through the button, giving up unsaved work, with `messages` answers for the messages.
inline void openTold(TestProgram& t, const std::string& path, int messages = 1) {
    if (t.form().unsaved) t.dialogs.press(Answer::Yes);
    t.dialogs.choose(path);
    for (int i = 0; i < messages; ++i)
        t.dialogs.press(Answer::OK);
    t.run(&FrmGradeHelp::cmdOpen_Click);
}

} // namespace tallisto::testing
