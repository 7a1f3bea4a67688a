#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tallisto {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, argumentsChooseWhatTheProgramDoes) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        Action action;
        std::string file;
        std::string error;
    };
    const Row rows[] = {
        {"no argument starts empty", {}, Action::Run, "", ""},
        {"one file is opened", {"marks.tly"}, Action::Run, "marks.tly", ""},
        {"a path with blanks stays whole", {"/home/a b/x.tly"}, Action::Run, "/home/a b/x.tly", ""},
        {"a lone dash is a file name", {"-"}, Action::Run, "-", ""},
        {"after -- a dash starts a file name", {"--", "-x.tly"}, Action::Run, "-x.tly", ""},
        {"--help", {"--help"}, Action::Help, "", ""},
        {"-h", {"-h"}, Action::Help, "", ""},
        {"--version", {"--version"}, Action::Version, "", ""},
        {"help wins over version", {"--version", "--help"}, Action::Help, "", ""},
        {"help wins over a mistake", {"--bogus", "a", "b", "--help"}, Action::Help, "", ""},
        {"--help after -- is a file", {"--", "--help"}, Action::Run, "--help", ""},
        {"an unknown option", {"--bogus"}, Action::Error, "", "unknown option '--bogus'"},
        {"the first unknown option is named",
         {"-x", "-y"},
         Action::Error,
         "",
         "unknown option '-x'"},
        {"two files",
         {"a.tly", "b.tly"},
         Action::Error,
         "",
         "only one file can be opened at start"},
        {"an empty name", {""}, Action::Error, "", "the file name is empty"},
    };
    for (const Row& row : rows) {
        const CommandLine line = parseCommandLine(row.args);
        EXPECT_EQ(line.action, row.action) << row.name;
        EXPECT_EQ(line.file, row.file) << row.name;
        EXPECT_EQ(line.error, row.error) << row.name;
    }
}

TEST(CommandLine, helpAndVersionAreOneShortTextEach) {
    const std::string help = helpText("tallisto");
    EXPECT_EQ(help.rfind("Usage: tallisto [FILE]\n", 0), 0u);
    EXPECT_NE(help.find("--version"), std::string::npos);
    EXPECT_EQ(help.back(), '\n');

    VersionRecord version;
    version.major = 2;
    version.minor = 2;
    version.revision = 110;
    EXPECT_EQ(versionText(version), "Tallisto 2.2.110\n");
    EXPECT_EQ(versionText(buildVersion()).find('\n'), versionText(buildVersion()).size() - 1)
        << "one line";
}

} // namespace
} // namespace tallisto
