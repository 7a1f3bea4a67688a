// Runs every group of window tests; the exit status counts the groups that failed.
#include <QApplication>

int runMainWindowTests(int argc, char** argv);
int runTabStripTests(int argc, char** argv);
int runTerWindowTests(int argc, char** argv);
int runQtDialogsTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (auto run : {runMainWindowTests, runTabStripTests, runTerWindowTests, runQtDialogsTests})
        failed += run(argc, argv) != 0 ? 1 : 0;
    return failed;
}
