// SPDX-License-Identifier: GPL-3.0-or-later
// What differs between the supported firmware versions: file sizes, table
// lengths, the places of the layout values in the two modules, and what each
// version can do. Code asks the profile of the loaded version ("has it an eighth
// category?") instead of comparing version numbers.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/layout_record.h"

namespace qorvi {

inline constexpr int kVshSlots = 12;
inline constexpr int kPafSlots = 38;

// Slots of VshOffsets. Where the profile HarvestsConstants, the slots marked
// "constant" are byte offsets into VshConstants (entry = offset / 4) instead of
// into the module image.
enum VshSlot : int {
  kVshCategoryEntries = 0,  // 16-byte records, image
  kVshMainIconX = 1,        // constant
  kVshMainIconY = 2,        // constant
  kVshUnfIconY = 3,         // constant
  kVshUnfIconYPlusOne = 4,  // written only; constant
  kVshTextColor = 5,        // 12-byte entries, image
  kVshClockX = 6,           // constant
  kVshClockY = 7,           // constant
  kVshBGColor = 8,          // 12-byte entries, image
  kVshBusySpeed = 9,        // constant
  kVshBmp01_12size = 10,    // 16 bits, image
  kVshItemTable = 11,       // 140-byte records, image
};

struct FirmwareProfile {
  int32_t VshmainSize = 0;
  int32_t PafSize = 0;
  int32_t OpeningSize = 0;
  int32_t TopmenuPluginStockSize = 0;
  int32_t SystemPluginFgStockSize = 0;
  int32_t TopmenuIconStockSize = 0;
  int32_t CategoryEntryCount = 0;
  int32_t ItemCount = 0;
  int32_t ColorEntryCount = 0;  // entries of each colour table held by vshmain.prx
  int32_t BootSoundOffset = 0;  // start of the boot sound area in opening_plugin.prx
  std::array<uint32_t, kVshSlots> VshOffsets{};
  // 0 marks a slot the version does not use.
  std::array<uint32_t, kPafSlots> PafOffsets{};

  // What the version can do (all false before a load).
  // The eighth category (PSN): an eighth category icon and the item icons 36..39.
  bool HasEighthCategory = false;
  // The scalar values live in lui/ori/mtc1 code, gathered into VshConstants and
  // PafConstants at load: the constant VshOffsets slots and every PafOffsets slot
  // index those tables, and Save writes the tables back into the code.
  bool HarvestsConstants = false;
  // The settings and game categories are named by the labels "msgshare_settings"
  // and "msgshare_game" instead of "msgtop_sysconf" and "msgtop_game".
  bool NewLabelNames = false;
  // The modules are always written uncompressed, whatever the compress option says.
  bool AlwaysPlainModules = false;
  // The categories after the first place their items with their own spacings
  // (SubIconUpperSpace2, fixed at 60, and SubIconLowerSpace2).
  bool SubIconSecondSpacing = false;
  // PafOffsets slots 19..37 and the fields they hold (second icon speeds, option
  // texts, folder spacings) exist.
  bool HasExtendedFields = false;
  // HarvestsConstants only: the VshConstants entries that receive MainIconX
  // besides slot 1, and the vshmain.prx word Save clears (0: none).
  std::array<uint32_t, 4> MainIconXCopies{};
  uint32_t ClearedVshWord = 0;
};

inline constexpr std::array<int32_t, 4> kFirmwareVersions{390, 395, 401, 500};

// 390, 395, 401 or 500 for the size of a decrypted, uncompressed vshmain.prx; 0 otherwise.
int32_t VersionFromSize(int64_t size);

// The profile of a known version, or nullptr.
const FirmwareProfile* ProfileFor(int32_t version);

// A VshOffsets slot that holds one layout value. An integer field is read as a
// single truncated toward zero and written as the single of the integer; a float
// field is copied bit for bit both ways. Where the profile HarvestsConstants the
// place indexes VshConstants (entry = place / 4), except a 16-bit place, which is
// always in the image.
struct VshScalar {
  VshSlot slot;
  const LayoutField* field;
  bool loaded = true;     // false: written only (slot 4, UnfIconY + 1)
  int32_t added = 0;      // written as the field plus this; only on a slot not loaded
  bool halfword = false;  // the low 16 bits of an integer field (Bmp01_12size)
};

// Every VshOffsets slot that holds a layout value, in the order Save writes them.
// The loader reads the loaded ones, Save writes all of them and the check after a
// save compares every loaded one. The tables (colours, entries, items) have record
// layouts of their own (record_layouts.h).
std::span<const VshScalar> VshScalarTable();

// One slot of PafOffsets and the layout field it holds, read and written as a
// VshScalar is.
struct PafSlot {
  int slot;
  const LayoutField* field;
  bool loaded;    // false: written only (slot 8, a second copy of SubIconSize)
  bool extended;  // exists only where the profile HasExtendedFields
};

// Every PafOffsets slot that holds a field, in the order Save writes them. The
// order matters: on 3.90 slots 13 and 17 share a place, and the later write
// (SubMenuTextX1Seg) is what the file keeps. Slot 20 holds nothing: a version with
// SubIconSecondSpacing fixes SubIconUpperSpace2 at kFixedSubIconUpperSpace2.
std::span<const PafSlot> PafSlotTable();

inline constexpr int32_t kFixedSubIconUpperSpace2 = 60;

// Whether the profile's version keeps `field` in its files, so that a load reads it
// and a save writes it: a loaded place of VshScalarTable, a PafSlotTable slot the
// version has, or the battery and busy objects of system_plugin_fg.rco. The fields
// of the extended slots exist only where the profile HasExtendedFields;
// SubIconUpperSpace2 has no place in any version. An empty profile (before a load)
// stores nothing.
bool StoresField(const FirmwareProfile& profile, const LayoutField& field);

// Two fields whose places in one module overlap: a save writes both, and the file
// keeps what was written last. Found from the place tables (3.90: SubMenuTextX2 and
// SubMenuTextX1Seg in paf.prx).
struct SharedPlace {
  std::string_view file;           // "vshmain.prx" or "paf.prx"
  const LayoutField* overwritten;  // written first: the file does not keep it
  const LayoutField* kept;         // written last: what the file holds
};

// Every pair of different fields that share a place in the profile's version, in
// the order Save writes the overwritten one.
std::vector<SharedPlace> SharedPlaces(const FirmwareProfile& profile);

// The pairs of SharedPlaces whose fields `layout` gives different values, as the
// file would hold them (an integer field as the single it is written as).
std::vector<SharedPlace> SharedPlaceConflicts(const FirmwareProfile& profile, const LayoutRecord& layout);

}  // namespace qorvi
