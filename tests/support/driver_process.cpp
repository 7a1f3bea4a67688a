// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/driver_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallisto::testing {

namespace {

constexpr auto deadline = std::chrono::seconds(60);

// Waits for the process to end; its exit status, -1 when it did not exit by itself.
int reap(pid_t& pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

DriverProcess::DriverProcess(const std::filesystem::path& programDir) {
    // A driver that has ended must fail the test, not kill it when it is written to.
    std::signal(SIGPIPE, SIG_IGN);
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipes";
        return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::execl(TALLISTO_DRIVE, TALLISTO_DRIVE, "--dir", programDir.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    in_ = toChild[1];
    out_ = fromChild[0];
}

DriverProcess::~DriverProcess() {
    if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0) reap(pid_);
    if (in_ >= 0) ::close(in_);
    if (out_ >= 0) ::close(out_);
}

void DriverProcess::send(const std::string& lines) {
    std::string_view rest = lines;
    while (!rest.empty()) {
        const ssize_t written = ::write(in_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return ADD_FAILURE() << "the driver takes no more input";
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string DriverProcess::line() {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (const auto newline = buffered_.find('\n'); newline != std::string::npos) {
            std::string text = buffered_.substr(0, newline);
            buffered_.erase(0, newline + 1);
            return text;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd ready{out_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) == 0) {
            ADD_FAILURE() << "the driver printed no line within " << deadline.count() << " s";
            return "";
        }
        char chunk[4096];
        const ssize_t got = ::read(out_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::exchange(buffered_, "");
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
}

bool DriverProcess::waitForLine(const std::string& wanted) {
    for (std::string text = line();; text = line()) {
        if (text == wanted) return true;
        if (text.empty() && buffered_.empty()) return false;
    }
}

std::string DriverProcess::get(const std::string& name) {
    send("get " + name + "\n");
    const std::string prefix = name + "=";
    for (std::string text = line();; text = line()) {
        if (text.starts_with(prefix)) return text.substr(prefix.size());
        if (text.empty() && buffered_.empty()) return "(no output)";
    }
}

int DriverProcess::finish() {
    ::close(std::exchange(in_, -1));
    return reap(pid_);
}

} // namespace tallisto::testing
