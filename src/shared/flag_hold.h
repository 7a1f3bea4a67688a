// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A form flag held for the length of a scope: set where the scope begins and cleared where it
// ends, however it ends (an early return, the program ending, an exception). It is cleared rather
// than restored, as the procedures that set these flags have always left them.
namespace tallisto {

class FlagHold {
public:
    explicit FlagHold(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagHold() { flag_ = false; }
    FlagHold(const FlagHold&) = delete;
    FlagHold& operator=(const FlagHold&) = delete;

private:
    bool& flag_;
};

} // namespace tallisto
