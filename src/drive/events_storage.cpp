// The driver's events of saving, opening and closing.
#include "drive/event_table.h"

namespace tallisto::drive {

void addStorageEvents(EventTable& t) {
    t["mensave_Click"] = click(&FrmGradeHelp::mensave, &FrmGradeHelp::mensave_Click);
    t["cmdsave_Click"] = click(&FrmGradeHelp::cmdsave, &FrmGradeHelp::cmdsave_Click);
    t["saveloop"] = plain(&FrmGradeHelp::saveloop);
    t["cmdOpen_Click"] = click(&FrmGradeHelp::cmdOpen, &FrmGradeHelp::cmdOpen_Click);
    t["loadingtime"] = plain(&FrmGradeHelp::loadingtime);
    t["exit_Click"] = click(&FrmGradeHelp::exit, &FrmGradeHelp::exit_Click);
    t["cmdExit_Click"] = click(&FrmGradeHelp::cmdExit, &FrmGradeHelp::cmdExit_Click);
    // The close box: the platform passes a cancel flag of its own.
    t["Form_QueryUnload"] = plain([](FrmGradeHelp& f) {
        bool cancel = false;
        f.Form_QueryUnload(cancel);
    });
    t["exit_me"] = plain(&FrmGradeHelp::exit_me);
}

} // namespace tallisto::drive
