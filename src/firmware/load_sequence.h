// Loading a whole firmware set.
#pragma once

#include <optional>

#include "model/message_table.h"
#include "model/model.h"

namespace qorvi {

// Reads the input files named by model.paths in their fixed order, checks each,
// and fills the model; then writes the icon bitmaps. Returns nothing when every
// file loaded, else the message of the first failure. A failed load changes
// nothing: the model, the file images, the version and the profile stay as they
// were. Does not take the loaded copy (TakeLoadedCopy) and does not rebuild the
// category lists; callers do both, as the File window's Load button does.
std::optional<Message> LoadAll(Model& model);

}  // namespace qorvi
