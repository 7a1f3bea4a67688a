// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// tallisto-drive in a process of its own, fed through a pipe and read line by line: a second
// copy of the program beside the one under test. Waits end at a deadline that only a fault
// reaches, and fail the test then.
#include <filesystem>
#include <string>
#include <sys/types.h>

namespace tallisto::testing {

class DriverProcess {
public:
    explicit DriverProcess(const std::filesystem::path& programDir);
    ~DriverProcess(); // a process still running is killed
    DriverProcess(const DriverProcess&) = delete;
    DriverProcess& operator=(const DriverProcess&) = delete;

    // Sends command lines, each ended by a line feed.
    void send(const std::string& lines);
    // Prints NAME with `get` and returns its value, once every command sent before has run.
    std::string get(const std::string& name);
    // Reads until a line equal to `wanted`; false when the output ends first.
    bool waitForLine(const std::string& wanted);
    // Ends the input and waits for the process; its exit status.
    int finish();

private:
    std::string line(); // the next line of output; "" at its end

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1;
    std::string buffered_;
};

} // namespace tallisto::testing
