// Loading a whole firmware set.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/message_table.h"
#include "model/model.h"

namespace qorvi {

// Reads the input files named by model.paths in their fixed order, checks each,
// and fills the model; then writes the icon bitmaps. Returns nothing when every
// file loaded, else the message of the first failure and its cause. A failed load changes
// nothing: the model, the file images, the version and the profile stay as they
// were. Callers run FinishLoad after a load that passed.
//
// A bitmap that cannot be written (a full disk) is a picture the preview goes
// without, not a failure of the load; its path is added to `unwrittenBitmaps` when
// given, for callers that need every bitmap.
std::optional<Failure> LoadAll(Model& model, std::vector<std::string>* unwrittenBitmaps = nullptr);

// What follows every successful load, in the desktop program and qorvi-cli alike:
// the 16-bit Bmp01_12size is kept at most 32767 (read as unsigned, as its edit
// reads it), the loaded copy is taken (the source of every Reset and restore), and
// the category lists are built once (without the UMD items when `noShowUmdIcon`).
void FinishLoad(Model& model, bool noShowUmdIcon);

}  // namespace qorvi
