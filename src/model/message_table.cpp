// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/message_table.h"

#include <array>

namespace qorvi {
namespace {

constexpr std::array<std::string_view, kMessageCount> kTexts{
    "cannot allocate memory",
    "vshmain.prx open error",
    "vshmain.prx filesize not match\nare you decrypted?",
    "paf.prx open error",
    "paf.prx filesize not match\nare you decrypted?",
    "topmenu_plugin.rco open error",
    "topmenu_plugin.rco filesize not match\nyou have to use Resurssiklunssi",
    "system_plugin_fg.rco open error",
    "system_plugin_fg.rco filesize not match\nyou have to use Resurssiklunssi",
    "vshmain.prx write error",
    "paf.prx write error",
    "opening_plugin.prx write error",
    "topmenu_plugin.rco write error",
    "system_plugin_fg.rco write error",
    "topmenu_icon.rco write error",
    ".wav file size too big",
    "opening_plugin.prx open error",
    "opening_plugin.prx filesize not match\nare you decrypted?",
    "topmenu_icon.rco open error\nare you decrypted?",
    "topmenu_icon.rco filesize not match\nyou have to use Resurssiklunssi",
    "cannot inflate topmenu_icon.rco",
    "cannot inflate topmenu_plugin.rco\nuse RCO Editor",
    "cannot inflate system_plugin_fg.rco\nuse RCO Editor",
};

}  // namespace

std::string_view MessageText(Message code) {
  int i = static_cast<int>(code);
  return i >= 0 && i < kMessageCount ? kTexts[i] : std::string_view{};
}

std::string MessageLine(Message code) {
  std::string line;
  for (char c : MessageText(code)) {
    if (c == '\n') {
      line += " / ";
    } else {
      line += c;
    }
  }
  return line;
}

std::vector<Message> Codes(const std::vector<Failure>& failures) {
  std::vector<Message> codes;
  codes.reserve(failures.size());
  for (const Failure& f : failures) codes.push_back(f.code);
  return codes;
}

}  // namespace qorvi
