// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/number_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <system_error>

namespace qorvi::options {
namespace {

// An optional minus sign and at least one digit.
bool LooksDecimal(std::string_view text) {
  if (text.starts_with('-')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::optional<int> ParseDecimal(std::string_view text) {
  // from_chars in base 10 takes exactly that form: no blanks, no plus sign, no
  // prefix, and leading zeros are no octal mark.
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string DecimalError(std::string_view option, std::string_view text) {
  if (LooksDecimal(text)) return std::string(option) + " " + std::string(text) + ": out of range";
  return std::string(option) + " '" + std::string(text) + "': expected a decimal integer";
}

CLI::Option* AddDecimalOption(CLI::App* command, const std::string& name, std::optional<int>& value,
                              const std::string& description) {
  return command->add_option_function<std::string>(
      name,
      [name, &value](const std::string& text) {
        value = ParseDecimal(text);
        if (!value) throw CLI::ValidationError(DecimalError(name, text));
      },
      description);
}

}  // namespace qorvi::options
