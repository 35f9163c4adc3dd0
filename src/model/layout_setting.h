// SPDX-License-Identifier: GPL-3.0-or-later
// NAME=VALUE for one scalar field of the layout, as `--set` of both command lines
// takes it: the value is read by the rule of the field's edit (value_text.h), so it
// is stored exactly as typing it into that edit would store it.
#pragma once

#include <string>
#include <string_view>

#include "model/layout_record.h"

namespace qorvi {

// Applies `assignment` to `layout`. False, changing nothing, with the reason in
// `error` ("NAME: unknown field", "NAME: not a scalar field" for a colour,
// "NAME=VALUE: expected NAME=VALUE" without '=', "NAME=VALUE: not a finite
// single-precision number" for a float field the value would turn into an
// infinity).
bool ApplySetting(std::string_view assignment, LayoutRecord& layout, std::string& error);

}  // namespace qorvi
