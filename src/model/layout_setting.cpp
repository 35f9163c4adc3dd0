// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/layout_setting.h"

#include <cmath>
#include <variant>

#include "model/value_text.h"

namespace qorvi {

bool ApplySetting(std::string_view assignment, LayoutRecord& layout, std::string& error) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string_view::npos) {
    error = std::string(assignment) + ": expected NAME=VALUE";
    return false;
  }
  const std::string name(assignment.substr(0, eq));
  const LayoutField* field = FindLayoutField(name);
  if (field == nullptr) {
    const bool colour = name == "TextColor" || name == "BGColor" || name == "BatteryColor" || name == "ClockColor" ||
                        name == "BusyColor";
    error = name + ": " + (colour ? "not a scalar field" : "unknown field");
    return false;
  }
  LayoutRecord changed = layout;
  StoreFieldText(changed, *field, assignment.substr(eq + 1));
  // The firmware holds a float field as a single; a value beyond its range would
  // be stored as an infinity, which no edit can produce on purpose.
  if (auto* fp = std::get_if<float LayoutRecord::*>(&field->member); fp && !std::isfinite(changed.*(*fp))) {
    error = std::string(assignment) + ": not a finite single-precision number";
    return false;
  }
  layout = changed;
  return true;
}

}  // namespace qorvi
