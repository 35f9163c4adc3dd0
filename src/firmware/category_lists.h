// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the menu entries into one list of item numbers per category.
#pragma once

#include "model/model.h"

namespace qorvi {

// Rewrites CategoryTable from the first CategoryEntryCount entries and appends the
// items the firmware adds to every menu (category 1: 13; 2: 15; 3: 18; 5: 14 and 23
// unless `noShowUmdIcon`, then 22). Entries with show code 2 are left out; entries
// with category 255 are never listed, and the first rebuild after a load takes
// their number off CategoryEntryCount (only that once).
void RebuildCategoryLists(FirmwareState& state, bool noShowUmdIcon);

}  // namespace qorvi
