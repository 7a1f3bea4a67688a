// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/font_memory.h"

#include "shared/file_io.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fontconfig/fontconfig.h>
#include <link.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#ifdef TALLISTO_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace tallisto::gui {

namespace {

// The first line of the file: a file of another kind or layout is not read as a choice.
constexpr std::string_view fileHeading = "Tallisto font choice 1\n";

// A file or folder as a change would show it: replaced, written or its entries changed.
void addPathState(QByteArray& state, const char* path) {
    struct stat st {};
    state.append(path, qsizetype(std::strlen(path)) + 1); // with its terminating zero
    if (::stat(path, &st) != 0) {
        state += "absent";
        return;
    }
    // In binary: the key is compared, never read by anyone.
    const long long fields[] = {(long long)st.st_dev, (long long)st.st_ino, (long long)st.st_size,
                                (long long)st.st_mtim.tv_sec, (long long)st.st_mtim.tv_nsec};
    state.append(reinterpret_cast<const char*>(fields), sizeof fields);
}

void addPaths(QByteArray& state, FcStrList* list) {
    if (!list) return;
    while (FcChar8* path = FcStrListNext(list))
        addPathState(state, reinterpret_cast<const char*>(path));
    FcStrListDone(list);
}

// The program itself and the libraries that measure text: Qt with its platform plugins,
// FreeType, HarfBuzz and fontconfig. An update of any of them may measure otherwise.
bool measuresText(std::string_view library) {
    static constexpr std::string_view parts[] = {"/libQt6",      "/platforms/",  "/platformthemes/",
                                                 "/libfreetype", "/libharfbuzz", "/libfontconfig"};
    return std::any_of(std::begin(parts), std::end(parts),
                       [library](std::string_view p) { return library.find(p) != library.npos; });
}

void addLoadedLibraries(QByteArray& state) {
    // By name: under a tool such as valgrind /proc/self/exe is the tool.
    addPathState(state, QFile::encodeName(QCoreApplication::applicationFilePath()).constData());
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            if (info->dlpi_name && measuresText(info->dlpi_name))
                static_cast<std::vector<std::string>*>(data)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        addPathState(state, name.c_str());
}

// What fontconfig reads, where each of its lists names the files and folders it looked at. The
// user's own places are named too, as fontconfig skips them while they do not exist.
void addFontconfig(QByteArray& state) {
    FcConfig* config = FcConfigGetCurrent();
    state += "fontconfig " + QByteArray::number(FcGetVersion()) + '\n';
    addPaths(state, FcConfigGetConfigFiles(config));
    addPaths(state, FcConfigGetConfigDirs(config));
    addPaths(state, FcConfigGetFontDirs(config));
    const QByteArray config_home = qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")
                                       ? qgetenv("HOME") + "/.config"
                                       : qgetenv("XDG_CONFIG_HOME");
    const QByteArray home = qgetenv("HOME");
    for (const QByteArray& path :
         {config_home + "/fontconfig", config_home + "/fontconfig/conf.d",
          config_home + "/fontconfig/fonts.conf", home + "/.fonts.conf", home + "/.fonts.conf.d"})
        addPathState(state, path.constData());
}

bool readsEnvironment(std::string_view name) {
    static constexpr std::string_view prefixes[] = {"QT_",
                                                    "FC_",
                                                    "FONTCONFIG_",
                                                    "FREETYPE_",
                                                    "LC_",
                                                    "LANG",
                                                    "XDG_CURRENT_",
                                                    "XDG_SESSION_",
                                                    "DESKTOP_SESSION",
                                                    "KDE_FULL_SESSION",
                                                    "GNOME_DESKTOP_SESSION_ID"};
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [name](std::string_view p) { return name.substr(0, p.size()) == p; });
}

void addEnvironment(QByteArray& state) {
    std::vector<std::string_view> read;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view variable(*entry);
        if (readsEnvironment(variable.substr(0, variable.find('=')))) read.push_back(variable);
    }
    std::sort(read.begin(), read.end());
    for (std::string_view variable : read)
        state += QByteArray(variable.data(), qsizetype(variable.size())) + '\n';
}

void addScreen(QByteArray& state) {
    state += "platform " + QGuiApplication::platformName().toUtf8() + '\n';
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        state += "screen " + QByteArray::number(screen->logicalDotsPerInchX(), 'g', 17) + ' ' +
                 QByteArray::number(screen->logicalDotsPerInchY(), 'g', 17) + ' ' +
                 QByteArray::number(screen->devicePixelRatio(), 'g', 17) + '\n';
    }
}

// The X resources hold the desktop's antialiasing and hinting (Xft.*), which Qt applies to each
// font. False when the program runs on X but cannot read them.
bool addXResources(QByteArray& state) {
    if (QGuiApplication::platformName() != "xcb") return true; // no other platform reads them
#ifdef TALLISTO_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem;
         xcb_screen_next(&it)) {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection, false, it.data->root, XCB_ATOM_RESOURCE_MANAGER,
                             XCB_ATOM_STRING, 0, 1u << 24);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        if (!reply) return false;
        state += "resources ";
        state += QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                            xcb_get_property_value_length(reply));
        state += '\n';
        free(reply);
    }
    return true;
#else
    return false;
#endif
}

} // namespace

std::optional<QByteArray> fontSystemState() {
    QByteArray state = "Qt " + QByteArray(qVersion()) + '\n';
    addScreen(state);
    if (!addXResources(state)) return std::nullopt;
    addEnvironment(state);
    addFontconfig(state);
    addLoadedLibraries(state);
    return state;
}

// The file: a heading, the choice on a line of its own, then the key it was made under.
std::optional<int> recalledFontChoice(const std::filesystem::path& file, const QByteArray& key) {
    std::string bytes;
    if (file.empty() || !readWholeFile(file, bytes) || !bytes.starts_with(fileHeading))
        return std::nullopt;
    const char* first = bytes.data() + fileHeading.size();
    const char* last = bytes.data() + bytes.size();
    int choice = -1;
    const auto [end, error] = std::from_chars(first, last, choice);
    if (error != std::errc() || end == last || *end != '\n') return std::nullopt;
    const std::string_view keptKey(end + 1, std::size_t(last - end - 1));
    if (keptKey != std::string_view(key.constData(), std::size_t(key.size()))) return std::nullopt;
    return choice;
}

void rememberFontChoice(const std::filesystem::path& file, const QByteArray& key, int choice) {
    if (file.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    writeScratchFile(file, std::string(fileHeading) + std::to_string(choice) + '\n' +
                               std::string(key.constData(), std::size_t(key.size())));
}

std::filesystem::path fontMemoryFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty()) return {};
    return std::filesystem::path(QFile::encodeName(folder).toStdString()) / "font-choice";
}

} // namespace tallisto::gui
