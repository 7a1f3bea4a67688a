// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a windowed program on the X display and measures it as a user meets it: the time from
// starting it to its first window being mapped, and its memory once that window is drawn and the
// program waits for the user. Then closes the window as the close box does and waits for the
// program to end.
//
// Usage: window_start [--deadline SECONDS] PROGRAM [ARGUMENTS...]
// Prints one line: time_ms=... cpu_ms=... rss_kb=... pss_kb=... width=... height=...
// cpu_ms is the processor time the program had used when its window was mapped: on a machine
// busy with other work it varies less than the time on the clock.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "window_start: %s\n", why.c_str());
    std::exit(1);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply) fail(std::string("cannot intern ") + name);
    const xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

// The CPU time all threads of the process have had so far, in nanoseconds.
long long cpuTime(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    long long total = 0;
    DIR* dir = opendir(tasks.c_str());
    if (!dir) return -1;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
        long long ran = 0;
        if (in >> ran) total += ran;
    }
    closedir(dir);
    return total;
}

// A field of /proc/PID/smaps_rollup, in kB.
long field(pid_t pid, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == name + ":" && in >> value) return value;
        in.ignore(4096, '\n');
    }
    return -1;
}

std::optional<int> exited(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return std::nullopt;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The program is drawn and waits for the user once its threads stop using the processor.
void awaitIdle(pid_t pid, Clock::time_point deadline) {
    long long last = cpuTime(pid);
    int quiet = 0;
    while (quiet < 4 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const long long now = cpuTime(pid);
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
    if (quiet < 4) fail("the program never came to rest");
}

void askToClose(xcb_connection_t* c, xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(c, "WM_PROTOCOLS");
    message.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

} // namespace

int main(int argc, char** argv) {
    int first = 1;
    double deadlineSeconds = 60;
    if (argc > 2 && std::strcmp(argv[1], "--deadline") == 0) {
        deadlineSeconds = std::atof(argv[2]);
        first = 3;
    }
    if (first >= argc) fail("usage: window_start [--deadline SECONDS] PROGRAM [ARGUMENTS...]");

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) fail("cannot open the display");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server has it before the program can map anything.
    if (xcb_generic_error_t* error = xcb_request_check(
            c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        fail("cannot watch the root window");
    }

    const auto deadline =
        Clock::now() + std::chrono::milliseconds(static_cast<long>(deadlineSeconds * 1000));
    pid_t pid = 0;
    const auto started = Clock::now();
    if (posix_spawnp(&pid, argv[first], nullptr, nullptr, argv + first, environ) != 0)
        fail(std::string("cannot start ") + argv[first]);

    xcb_window_t window = 0;
    Clock::time_point mapped;
    long long cpuAtMap = 0;
    pollfd xfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!window) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            fail("no window was mapped");
        }
        if (exited(pid)) fail("the program ended before its window was mapped");
        poll(&xfd, 1, 100);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && !window) {
                auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (map->event == root && !map->override_redirect) {
                    mapped = Clock::now();
                    cpuAtMap = cpuTime(pid);
                    window = map->window;
                }
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c)) fail("the display went away");
    }

    awaitIdle(pid, deadline);
    const long rss = field(pid, "Rss");
    const long pss = field(pid, "Pss");
    int width = 0, height = 0;
    if (auto* geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)) {
        width = geometry->width;
        height = geometry->height;
        std::free(geometry);
    }

    askToClose(c, window);
    std::optional<int> code;
    while (!(code = exited(pid))) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            fail("the program did not end when its window was closed");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (*code != 0) fail("the program ended with status " + std::to_string(*code));
    xcb_disconnect(c);

    const double ms = std::chrono::duration<double, std::milli>(mapped - started).count();
    std::printf("time_ms=%.2f cpu_ms=%.2f rss_kb=%ld pss_kb=%ld width=%d height=%d\n", ms,
                static_cast<double>(cpuAtMap) / 1e6, rss, pss, width, height);
    return 0;
}
