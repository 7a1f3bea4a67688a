// Events of the report commands, the XP look and About.
#include "drive/event_table.h"

namespace tallisto::drive {

void addReportEvents(EventTable& t) {
    t["menSaveReport_Click"] =
        click(&FrmGradeHelp::menSaveReport, &FrmGradeHelp::menSaveReport_Click);
    t["menReportSet_Click"] = click(&FrmGradeHelp::menReportSet, &FrmGradeHelp::menReportSet_Click);
    t["menXP_Click"] = click(&FrmGradeHelp::menXP, &FrmGradeHelp::menXP_Click);
    t["about_Click"] = click(&FrmGradeHelp::about, &FrmGradeHelp::about_Click);
}

} // namespace tallisto::drive
