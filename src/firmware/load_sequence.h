// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a whole firmware set.
#pragma once

#include <optional>

#include "model/message_table.h"
#include "model/model.h"

namespace qorvi {

// Reads the input files named by model.paths in their fixed order, checks each,
// and fills the model; then decodes the icon pictures into model.pictures (in
// memory: writing them as bitmap files is a step of its own, WriteIconBitmaps).
// Returns nothing when every file loaded, else the message of the first failure
// and its cause. A failed load changes nothing: the model, the file images, the
// pictures, the version and the profile stay as they were. Callers run FinishLoad
// after a load that passed.
std::optional<Failure> LoadAll(Model& model);

// What follows every successful load, in the desktop program and qorvi-cli alike:
// the 16-bit Bmp01_12size is kept at most 32767 (read as unsigned, as its edit
// reads it), the loaded copy is taken (the source of every Reset and restore), and
// the category lists are built once (without the UMD items when `noShowUmdIcon`).
void FinishLoad(Model& model, bool noShowUmdIcon);

}  // namespace qorvi
