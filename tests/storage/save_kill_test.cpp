// A process killed while it saves leaves the save file whole: the old version or the new one.
#include "storage/work_helpers.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tallisto::testing {
namespace {

std::string manyTabsFile(int tabs, int marks) {
    std::vector<std::string> lines{"[TabInfo]", "NumTabs=" + std::to_string(tabs)};
    for (int i = 0; i < tabs; ++i) {
        lines.push_back("[Tab " + std::to_string(i) + "]");
        lines.push_back("Name=S" + std::to_string(i));
        lines.push_back("count=" + std::to_string(marks));
        for (int j = 0; j < marks; ++j) {
            const std::string n = std::to_string(j);
            lines.push_back("yougot" + n + "=" + std::to_string(j % 50) + ".5");
            lines.push_back("outof" + n + "=50");
            lines.push_back("weighting" + n + "=0.01");
        }
        lines.push_back("gradesys=" + std::to_string(i % 4));
    }
    return crlf(lines);
}

void saveWithFirstTabNamed(TestProgram& t, const std::string& name) {
    t.form().cmdTab[0].caption = name;
    t.form().unsaved = true;
    t.run([](FrmGradeHelp& f) { f.mensave_Click(); });
}

TEST(SaveKill, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    TestProgram t;
    t.start();
    t.write("source.tly", manyTabsFile(6, 200));
    open(t, t.file("source.tly"));
    ASSERT_TRUE(saveAs(t, t.file("kill.tly")));
    saveWithFirstTabNamed(t, "Alpha");
    const std::string alpha = t.read("kill.tly");
    saveWithFirstTabNamed(t, "Beta");
    const std::string beta = t.read("kill.tly");
    ASSERT_NE(alpha, beta);

    // Kills fall anywhere in the first few saves of each round.
    const auto began = std::chrono::steady_clock::now();
    saveWithFirstTabNamed(t, "Alpha");
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - began);

    constexpr int rounds = 50;
    int foundAlpha = 0, foundBeta = 0, changedInRound = 0;
    std::mt19937 random(20261206);
    for (int round = 0; round < rounds; ++round) {
        const std::string before = t.read("kill.tly");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves without end, each time the other version, until it is killed.
            for (bool a = true;; a = !a)
                saveWithFirstTabNamed(t, a ? "Alpha" : "Beta");
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (4 * oneSave.count())));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        const std::string after = t.read("kill.tly");
        ASSERT_TRUE(after == alpha || after == beta)
            << "round " << round << ": torn file of " << after.size() << " bytes";
        (after == alpha ? foundAlpha : foundBeta) += 1;
        changedInRound += after != before;
    }
    EXPECT_EQ(foundAlpha + foundBeta, rounds);
    // The kills fell while saving was under way, not only before the first save began.
    EXPECT_GT(changedInRound, 0);
    RecordProperty("rounds", rounds);
    RecordProperty("alpha", foundAlpha);
    RecordProperty("beta", foundBeta);
    std::cout << "[ kill test ] " << rounds << " rounds, file whole every time (" << foundAlpha
              << " Alpha, " << foundBeta << " Beta; changed in " << changedInRound
              << " rounds; one save " << oneSave.count() << " us)\n";
}

} // namespace
} // namespace tallisto::testing
