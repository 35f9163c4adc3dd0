// SPDX-License-Identifier: GPL-3.0-or-later
// The check after a save: the files the save sequence wrote are loaded back, by
// the same loader and from the output folders, into a model of their own, and
// compared with the model that was saved.
//
// A value is compared as the file holds it, so that a correct save always passes:
// an integer field as the single it is written as and truncated again; a byte
// colour as the float byte / 255 that is written, times 255 and truncated;
// Bmp01_12size as its 16 bits; on 5.00 a value in the code as the halves its
// instruction group has room for (a group without an ori keeps only the upper
// half); where two fields share one place (3.90: SubMenuTextX2 and
// SubMenuTextX1Seg) as the value written last. What a file does not hold is not
// compared: menu entries from CategoryEntryCount on, items from ItemCount on,
// fields and colour entries the version has no place for, SubIconUpperSpace2,
// ExecIndex. The boot sound is compared with the sound file when the save wrote
// opening_plugin.prx.
#pragma once

#include <optional>
#include <string>

#include "model/message_table.h"
#include "model/model.h"

namespace qorvi {

// The first value that differs: its name in the layout document's terms
// ("MainIconX", "TextColor[3]", "categoryEntries[4]", "items[2].NameTag", "boot
// sound byte 17"), the output file it was read from, and both values as text.
struct VerifyDifference {
  std::string field;
  std::string file;
  std::string found;
  std::string expected;
  bool operator==(const VerifyDifference&) const = default;
};

struct VerifyResult {
  // The written files did not load back: the message (and cause) of that load.
  std::optional<Failure> loadFailure;
  std::optional<VerifyDifference> difference;
  // Why the check could not run at all (no memory, the boot sound unreadable).
  std::string error;

  bool Passed() const { return !loadFailure && !difference && error.empty(); }
};

// Loads back the files that SaveAll wrote for `saved` (call it only after a save
// that raised no message: every loaded file was then written) and compares. Its
// load keeps the pictures in memory: nothing is written.
VerifyResult VerifySave(const Model& saved);

// The line a caller shows for a failed check, e.g. "verify: MainIconX is 12 in
// done/module/vshmain.prx, 10 expected"; empty when the check passed.
std::string VerifyMessage(const VerifyResult& result);

}  // namespace qorvi
