// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window, frmGradeHelp: its controls, its variables and its procedures.
//
// This header is the table of contents of the window. Procedures keep the names of the events and
// tasks they stand for; their definitions live in the folder of their subsystem
// (app/, storage/, tabs/, marks/, grading/, reports/, ter/, look/).
#include "app/control.h"
#include "app/kept_work.h"
#include "app/services.h"
#include "marks/tab_marks.h"
#include "shared/decimal_sum.h"
#include "shared/file_io.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tallisto {

class Program;
struct PlanTotals;

// Key codes that the big button's key handler looks at.
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyEscape = 27;
// Mouse buttons of the MouseUp events.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;

// The shared file dialog: set up by each command before use; the title stays from one use to the
// next when a command sets none.
struct CommonDialogState {
    std::string DialogTitle;
    std::string FileName;
    std::string FileTitle;
    std::string Filter;
    bool CancelError = false;
};

class FrmGradeHelp {
public:
    explicit FrmGradeHelp(Program& program);

    // ---- The window and its controls (app/form_layout.cpp sets their design-time state) ----
    Control frmGradeHelp;        // the window itself: Caption, Left, Top, Width, Height
    std::vector<Control> cmdTab; // loaded elements of the tab button array
    Control cmdResetAll, picOuter, picInner, HBar, cmdNewTab, cmdExit, cmdReset;
    Control frameTotals, cmdTER, lblWeightingTot, lblScoreTot, lblShit, lblTotalTest, lblWhatIf;
    Control cmdEasyWork, lstPercentage, lstTotal, lstScore, framescores, lstWeighting;
    Control Frame1, lblGradeSys, lblGradePer, lblGrade, Label1;
    Control Line4, Line3, Line2, Line1;
    Control lblWeight, Label2, lbltotal, lblscore, lblPercent;
    CommonDialogState CommonDialog;
    // Menus.
    Control file, tallisto, menDelSelRes, seper0, cmdsave, mensave, savereport, menSaveReport,
        menReportSet, menExportCsv, cmdOpen, seper1, menXP, seper2, menResetAll, about, exit;
    Control menEdit, menUndo, menRedo, seper4, menEditMark, menWhatIf, menMakeReal, menClearWhatIf;
    Control tabs, menNewTab, reset, menRename, menDelete;
    Control menGradesystem;
    std::array<Control, 4> menGradesys;
    Control seper3, menEditRanges;
    Control menView, menPlan, menOverview, menChart;
    Control menHelp, menGuide, menAbout;

    // The control that has the keyboard focus.
    std::string focus = "cmdEasyWork";

    // ---- Form variables ----
    bool unsaved = false;
    std::string currentFilePath;
    std::string currentFileTitle;
    bool exitAfterSave = false;

    int tabCount = 1;
    int currentTab = 0;
    bool loadingTabs = false;
    bool isLastTab = false;
    int saveTab = 0;
    std::string saveFile;
    int loadTab = 0;
    std::string loadFile;

    bool loadingMarks = false;
    std::string storedYouGot, storedOutOf, storedWeighting;
    std::string youGot, outOf, weighting;
    double youGotTotal = 0;
    double outOfTotal = 0;
    double weightingTotal = 0;
    double weightedScoreTotal = 0;
    double weightedScore = 0;
    std::string selectedMark;
    // What-if marks: marks the student has not received, tried out. They stand after the real
    // marks of their tab, in the order entered, and count in every total as real marks do.
    int whatIfMarks = 0;         // how many of the current tab's last marks are what-if marks
    bool enteringWhatIf = false; // the mark being entered or replayed is a what-if mark
    // The weighting entered on the current tab, in percent: the exact decimal sum of the
    // weightings listed (33.33 three times gives 99.99). weightingTotal is its value as a fraction.
    DecimalSum weightingEntered() const { return weightingSum.timesPowerOfTen(2); }

    int gradeSys = 0;
    std::string gradeSysName;
    std::vector<std::string> gradeRanges;     // range0..range5 of the system in use
    std::vector<std::string> gradeRangeNames; // rangename0..rangename6

    // ---- Start-up, caption, closing (app/) ----
    void Form_Initialize();
    void Form_Activate();
    void formnamerefresh();
    void Form_QueryUnload(bool& cancel);
    void exit_Click();
    void cmdExit_Click();
    [[noreturn]] void exit_me();
    // Unloads the main window as the close box, Escape and both Exit commands do: runs
    // Form_QueryUnload, which ends the program or keeps the window open.
    void unloadMainWindow();

    // ---- Running copies and crash recovery (app/recovery.cpp) ----
    // Takes a working file of this copy's own, leaving those of running copies alone, and offers
    // back the unsaved work of a copy that ended without closing.
    void takeWorkingFile();
    // The work in the window as the recovery data keeps it, the working file aside.
    KeptWork workToKeep() const;

    // ---- Marks and totals (marks/) ----
    void cmdEasyWork_Click();
    void tallisto_Click();
    void doweightingcheck();
    void inboxweightingcheck();
    // inboxweightingcheck for a mark of these texts: youGot, outOf and weighting, or a replayed
    // mark's own.
    void enterMark(const std::string& score, const std::string& outOfText,
                   const std::string& weightingText);
    void TotalsUpdate();
    void updateTotals(double y, double o, double f); // TotalsUpdate with the values read already
    void lstScore_MouseUp();
    void lstTotal_MouseUp();
    void lstWeighting_MouseUp();
    void lstPercentage_MouseUp();
    void menDelSelRes_Click();
    // The mark that Delete Selected Mark deletes now, or -1: the row the mark lists highlight.
    int markToDelete() const;
    void ResetTab();
    void cmdReset_Click();
    void reset_Click();
    void cmdResetAll_Click();
    void menResetAll_Click();
    // What-if marks, and editing a mark (marks/what_if.cpp, marks/mark_editing.cpp).
    void menWhatIf_Click();
    void menMakeReal_Click();
    void menClearWhatIf_Click();
    void menEditMark_Click();
    void lstScore_DblClick();
    void lstTotal_DblClick();
    void lstWeighting_DblClick();
    void lstPercentage_DblClick();
    // The marks of a shown tab as rows, as switching to it would show them (marks/tab_marks.cpp).
    SubjectMarks subjectMarks(int tab);
    // The kind of mark j of a tab, and a tab's number of what-if marks: the one place each is
    // told, for the current tab and for the tabs in the working file alike.
    MarkKind markKind(int tab, std::size_t j);
    int whatIfCount(int tab);
    // The kind of entry j of the current tab's lists.
    MarkKind markKind(std::size_t j) const;

    // ---- Undo and redo (history/) ----
    void menUndo_Click();
    void menRedo_Click();
    // The Undo and Redo items name the step they would take, and are unavailable without one.
    void undoItemsUpdate();

    // ---- Grading systems (grading/) ----
    void GradeIs();
    void GradeRangeRetrieve();
    void menGradesys_Click(int Index);
    void GradeSysUsed();
    void lblGradeSysUpdate();
    void menEditRanges_Click();
    // The planner: what the rest of the tab must score for each grade.
    void menPlan_Click();
    // The current tab's totals as the planner counts them, with the weighting not yet entered.
    PlanTotals planTotals() const;

    // ---- Tab store, saving, opening (storage/) ----
    void SaveRun();
    void LoadRun();
    // The three saving procedures return whether the work is now in the file; a save that fails
    // has told the user why and left the file on disk as it was.
    bool mensave_Click();
    bool cmdsave_Click();
    bool saveloop();
    void cmdOpen_Click();
    // False when the user cancelled the file dialog and nothing was read.
    bool loadingtime();
    // Opens a file named on the command line as Open does, without asking for it; a file that
    // does not exist or cannot be read is reported and the program stays empty.
    void openFileAtStart(const std::string& path);

    // ---- Subject tabs (tabs/) ----
    void cmdTab_Click(int Index);
    void cmdTab_GotFocus(int Index);
    void cmdTab_DblClick(int Index);
    void cmdTab_MouseUp(int Index, int Button);
    void cmdNewTab_Click();
    void menNewTab_Click();
    void menRename_Click();
    void menDelete_Click();
    void lastTabCheck();
    void picOuter_DblClick();
    void scrollBarCheck();
    void HBar_Change();
    void HBar_Scroll();
    void HBar_GotFocus();
    void cmdEasyWork_KeyDown(int KeyCode, int Shift);
    // The shown tabs, in strip order.
    std::vector<int> shownTabs() const;
    // Slides the strip so that the tab can be seen whole.
    void scrollToTab(int Index);

    // Leaving a tab stores it in the working file. A switch the user makes writes that file to
    // disk at once. Commands that switch through every tab (saving, the report set, opening) set
    // this flag for their loop, so that the file is written once instead of once per tab, then
    // clear it and call workingFileStored().
    bool deferWorkingFileCheck = false;
    // Writes the working file's pending changes to disk; false when it cannot be written. The
    // changes then stay in memory, where every tab is still read from, and the user is told once.
    bool workingFileStored();
    // Tells the user of each file that could not be written and that the user has not been
    // told of yet. Run at the end of every command.
    void reportUnwrittenFiles();

    // ---- Reports (reports/) ----
    void SubReport(std::string& out);
    void menSaveReport_Click();
    void menReportSet_Click();
    // All subjects: the overview, the chart of percentages and the CSV export.
    void menOverview_Click();
    void menChart_Click();
    void menExportCsv_Click();

    // ---- Score out of 20 (ter/) ----
    void cmdTER_Click();

    // ---- Look and About (look/) ----
    void menXP_Click();
    void about_Click();
    // The Help menu: the guide window, and About again where users look for it.
    void menGuide_Click();
    void menAbout_Click();

    // ---- Access by name, for the driver and the Qt window (app/form_registry.cpp) ----
    // The control of that name and index (-1 for a control that is not an array), or null.
    Control* findControl(const std::string& name, int index = -1);
    const Control* findControl(const std::string& name, int index = -1) const;
    // Whether every menu that holds a menu item is shown and enabled: only then can the user
    // reach the item, by the menus or by its shortcut.
    bool menusOpenTo(const Control& item) const;
    // Every control, in the order the window creates them, menus last.
    std::vector<Control*> allControls();
    // A form or module variable as text ("True"/"False", numbers in the general format); nothing
    // when the window has no variable of that name.
    std::optional<std::string> variableText(const std::string& name) const;

    // ---- Paths in the program's directory ----
    std::string programFile(const std::string& fileName) const;
    std::string workingFile() const; // this copy's own
    // The section that stores tab `index` in the working file and in save files: "Tab 3".
    static std::string tabSection(int index);
    std::string rangesFile() const { return programFile("graderanges.txt"); }
    std::string settingsFile() const { return programFile("settings.ini"); }
    std::string manifestFile() const;

    Program& program() { return program_; }

private:
    // Dialogs. Each brings the files on disk up to date before the user is asked anything.
    Answer MsgBox(const std::string& prompt, Buttons buttons = Buttons::OK,
                  const std::string& title = "Tallisto");
    std::string InputBox(const std::string& prompt, const std::string& title = "Tallisto",
                         const std::string& defaultText = "");
    // Shows the open or save dialog as CommonDialog is set up; false when cancelled.
    bool showCommonDialog(FileDialogKind kind);
    bool showInEditor(const std::string& path); // false: no program could show it

    void giveFocusToEasyWork() { focus = "cmdEasyWork"; }
    double& overallPercentage();
    std::string readIni(const std::string& file, const std::string& section,
                        const std::string& key);
    void writeIni(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value);

    // Helpers of the subsystems, each defined beside its users.
    enum class AnswerRead { Number, Ended, TooLarge }; // marks/
    AnswerRead readAnswer(std::string& answer);
    // One of the three questions of a mark, titled for its kind, the answer read in place as a
    // typed mark's is; false when the entry ends there. A weighting comes back rounded.
    enum class MarkPart { Score, OutOf, Weighting };
    bool askMarkPart(MarkPart part, MarkKind kind, std::string& answer,
                     const std::string& defaultText = "");
    // Whether a weighting in percent keeps the tab within the limit beside the others given.
    static bool weightingFits(double weighting, DecimalSum others);
    // Whether every total stays a number with this mark added.
    bool markCounts(const std::string& score, const std::string& outOfText,
                    const std::string& weightingText) const;
    void setDesignTimeState(); // app/form_layout.cpp
    // settings.ini, graderanges.txt, the manifest, every copy's working file and its lock and
    // recovery data: no save, report or export may land on one (storage/saving.cpp).
    bool isProgramsOwnFile(const std::string& path) const;
    bool chooseSaveFile(std::string& path, std::string& title);
    IoResult writeAllTabs(const std::string& path);
    enum class TabRead { Read, TooMany, Broken }; // storage/opening.cpp
    std::string whyNotASaveFile(const std::string& path);
    std::string saveFileTrouble(const std::string& path);
    void readChosenFile(const std::string& path, const std::string& title);
    // What broke off the reading, "" when the whole file was read.
    std::string readAllTabs(const std::string& path, const std::string& title);
    std::string readSaveFileTabs(const std::string& path, const std::string& title);
    TabRead readSaveFileTab(const std::string& path, const std::string& title, int section,
                            bool firstTab, std::string& problem);
    Control newTabElement(int index) const;
    // reports/: the file a report goes to, asked for until the user takes or cancels one; the
    // report written with its closing line; the outcome shown to the user.
    bool chooseReportFile(std::string& path);
    IoResult writeReport(const std::string& path, std::string text);
    void finishReport(const std::string& path, const IoResult& written);
    bool chooseCsvFile(std::string& path);

    // Tab store (storage/tab_store.cpp).
    struct StoredMark {
        std::string youGot, outOf, weighting;
        MarkKind kind = MarkKind::Real;
    };
    // The first marks of a tab, as many as its count says but at most `most`.
    std::vector<StoredMark> readStoredMarks(const std::string& file, int tab,
                                            int most = std::numeric_limits<int>::max());
    void replayMarks(const std::vector<StoredMark>& marks); // through the mark entry
    // What the last store of each tab wrote to the working file. A tab left with the lists,
    // caption and grading system it was stored with, to a section no write has touched since,
    // would write every key as it stands: it is not formatted and compared key by key again.
    struct TabAsStored {
        std::uint64_t revision = 0; // of its section once written; 0 when nothing is kept
        std::string caption;
        int gradeSys = 0;
        std::size_t realMarks = 0;
        std::string lists; // every entry of the three mark lists, each after its size
    };
    std::vector<TabAsStored> tabsAsStored;
    TabAsStored tabAsItStands() const;
    bool standsAsStored(const TabAsStored& kept) const;
    void writeTabSection(const std::string& section);
    std::size_t realMarkCount() const; // the marks listed before the what-if marks
    // The number of what-if marks stored for a tab, no more than the section holds.
    int storedWhatIfs(const std::string& file, const std::string& section);
    // While marks are replayed, the totals, their labels, the overall percentage and the weighting
    // show only what the last mark left: they are worked out once, from what it left.
    struct ReplayedTotals {
        bool replaying = false;
        bool marked = false, scored = false; // a mark, and one out of more than 0, went through
        // The sums as the last mark out of more than 0 left them.
        DecimalSum youGot, weightedScore, weighting;
    };
    ReplayedTotals replayedTotals;
    void showReplayedTotals();
    // Subject tabs (tabs/).
    struct StoredTab {         // what a switch reads of the tab it goes to
        bool sameName = false; // stored under the button's caption
        bool hasMarks = false; // "count" is not the text "0", or what-if marks are stored
        std::vector<StoredMark> marks;
        std::string gradesys;
    };
    StoredTab readStoredTab(int Index);
    void leftTabStored(); // a user's switch writes the working file at once
    void showStoredTab(int Index, const StoredTab& stored);
    void selectStoredGradeSys(const std::string& gradesys);
    void pressTab(int Index); // the one pressed tab button
    bool isShownTab(int Index) const;
    int nextShownTab(int from, int step) const; // from `from` on, walking by step; -1 if none
    void moveToNextTab();                       // the Tab key
    void setHBarValue(int value); // as the user's scrolling does, with its Change event
    int picOuterScaleWidth() const;
    // Crash recovery (app/recovery.cpp).
    bool offerBack(const KeptWork& work);
    bool restoreWork(const KeptWork& work); // false when the working file could not be written
    void rebuildTabButtons(const std::vector<KeptWork::Tab>& tabs);
    IoResult restoreWorkingFile(const SharedBytes& bytes);
    // The current tab, its marks, the commands and the caption as kept; the tab strip and the
    // working file are the work's already.
    void showKeptWork(const KeptWork& work);
    // Undo and redo (history/): brings the window to a kept state, rebuilding the strip and
    // rewriting the working file only where they differ from it.
    void bringBack(const KeptWork& work);
    void showAsShown(const KeptWork::Shown& shown);
    void noteChange(const char* what); // the change a command makes, for the Undo item
    // What-if marks and editing (marks/).
    std::vector<StoredMark> listedMarks() const;
    // The current tab rebuilt from its lists, every total computed afresh in list order.
    void replayListed();
    void selectRow(std::size_t row); // in all four lists, for Delete, Edit and Make Real
    void whatIfLabelUpdate();
    // The report block of the current tab as it stands without its what-if marks.
    void realMarksReport(std::string& out);
    // Room enough for the report blocks of all shown tabs, up to a bound: their marks counted
    // from the lists and the working file, not yet replayed.
    std::size_t reportSetRoom();
    // Marks and resets (marks/).
    // The running totals as exact decimal sums: youGotTotal, outOfTotal, weightingTotal and
    // weightedScoreTotal hold their values, so that a long run of marks shows no binary noise.
    DecimalSum youGotSum, outOfSum, weightingSum, weightedScoreSum;
    void selectMark(const Control& list);
    int selectedMarkIndex() const; // the mark selectedMark names, or -1

    Program& program_;
};

} // namespace tallisto
