// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers on the command line, one rule for every numeric option of qorvi-cli and
// `qorvi --render`: a plain decimal integer. An optional minus sign and the
// digits, nothing else: no blanks around it, no plus sign, no base prefix, and
// leading zeros do not make it octal (010 is ten). Anything else, an empty
// value too, is a usage error that names the option. (The VALUE of --set is not
// such an option: it is read as the field's edit reads what is typed into it.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace qorvi::options {

// `text` as a plain decimal integer; nothing when it is not one or does not fit
// an int.
std::optional<int> ParseDecimal(std::string_view text);

// Why ParseDecimal refused `text` as the value of `option`, on one line:
// "--category ' 3': expected a decimal integer", "--item 99999999999: out of range".
std::string DecimalError(std::string_view option, std::string_view text);

// Declares `name` on `command` as an option whose value is read by ParseDecimal
// into `value` (left empty when the option is not given); a value it refuses
// makes the parse fail with DecimalError.
CLI::Option* AddDecimalOption(CLI::App* command, const std::string& name, std::optional<int>& value,
                              const std::string& description);

}  // namespace qorvi::options
