// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model.h"

namespace qorvi {

void TakeLoadedCopy(FirmwareState& state) {
  state.LoadedLayout = state.Layout;
  state.LoadedCategoryEntries = state.CategoryEntries;
  state.LoadedItemTable = state.ItemTable;
}

}  // namespace qorvi
