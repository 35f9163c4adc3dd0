// SPDX-License-Identifier: GPL-3.0-or-later
// The save sequence: the model written back into every loaded file image and the
// patched files written below the done folder.
#pragma once

#include <vector>

#include "model/message_table.h"
#include "model/model.h"

namespace qorvi {

// Makes the done folder with its module/ and resource/ folders and any missing
// parents, removing what interrupted earlier saves left there (failures show up
// as write errors later), then writes, in this order and each whatever happened to
// the ones before: vshmain.prx (message 9 on failure), paf.prx (10),
// opening_plugin.prx only when SavesOpening (15 when the boot sound is too big,
// else 11), topmenu_plugin.rco with MainIconX
// applied (12), system_plugin_fg.rco with the battery, busy and clock values
// applied (13), topmenu_icon.rco unchanged (14). A file whose loaded length is 0 is
// skipped silently. `compress` packs the modules as "~PSP" images (never on 3.95).
//
// Returns the messages raised, in order, each with its cause (the output and the
// system's reason, "done/module/vshmain.prx: No space left on device", or the
// check an apply step failed); empty when everything was written. The callers
// show them and then "done" (kDoneText). The images stay patched; the
// model's values are not changed, so saving again writes the same files.
std::vector<Failure> SaveAll(Model& model, bool compress);

// Whether a save writes opening_plugin.prx: both boot-sound options are on and the
// last load read the file. Options ticked after a load find no image to write, so
// the check after the save must not look for that file either.
bool SavesOpening(const Model& model);

}  // namespace qorvi
