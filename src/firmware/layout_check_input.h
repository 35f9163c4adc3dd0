// SPDX-License-Identifier: GPL-3.0-or-later
// Gathers what the layout check looks at from a loaded model: the item lists with
// and without the UMD items, the items whose execute function is unknown, the
// names, and the sizes of the icon pictures the load decodes.
#pragma once

#include "geometry/layout_check.h"
#include "model/model.h"

namespace qorvi {

// Reads each icon's size from the pictures the load decoded (model.pictures). The
// model is left as it is: the category lists are built on copies.
LayoutCheckInput GatherLayoutCheckInput(Model& model);

}  // namespace qorvi
