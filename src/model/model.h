// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the program knows about the loaded firmware set, in one object.
// The library takes it by reference; it has no globals of its own.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "model/firmware_profile.h"
#include "model/fixed_string.h"
#include "model/icon_pictures.h"
#include "model/layout_record.h"
#include "model/paths.h"
#include "model/psp_header.h"
#include "model/work_area.h"

namespace qorvi {

inline constexpr int kCategoryEntrySlots = 30;
inline constexpr int kItemSlots = 40;
inline constexpr int kCategories = 8;
inline constexpr int kItemNumbers = 48;  // item numbers 0..47 name icons and names
inline constexpr int kVshConstantEntries = 512;
inline constexpr int kPafConstantEntries = 2560;
inline constexpr int kImageLabelSlots = 150;
inline constexpr int kImageLabelChars = 32;  // 31 characters and the terminating zero
inline constexpr int kLabelTextSlots = 56;   // 8 category names, then items 0..47
inline constexpr int kLabelTextBytes = 48;   // 47 bytes of UTF-8 and the terminating zero

// One menu entry of vshmain.prx; stored in the file as four 32-bit words whose low
// bytes these are.
struct CategoryEntry {
  uint8_t Category = 0;  // 0..7; 255: not listed
  uint8_t Item = 0;      // item number 0..47
  uint8_t Show = 0;      // 2: left out of the menu
  uint8_t Region = 0;
};

// One 140-byte item record of vshmain.prx (bytes 29, 30 and 127..139 are not
// kept; the layout is ItemRecordLayout in record_layouts.h).
struct ItemRecord {
  ItemTag MainImageTag{};    // bytes 31..54
  ItemTag ShadowImageTag{};  // bytes 55..78
  ItemTag ConfImageTag{};    // bytes 79..102
  ItemTag NameTag{};         // bytes 103..126
  uint32_t Word0 = 0;        // bytes 0..3
  uint32_t Media = 0;        // 1 Flash, 2 UMD, 3 MS
  uint32_t ExecGroup = 0;
  uint32_t ExecFunction = 0;
  uint32_t Word4 = 0;
  uint32_t Word5 = 0;
  uint32_t Word6 = 0;
  uint8_t UmdFlag = 0;    // byte 28: 0 Yes, 1 No
  int32_t ExecIndex = 0;  // index into the execute-function table; not in the file
};

// The items of one category in menu order.
struct CategoryList {
  std::array<int32_t, kItemNumbers> Items{};
  int32_t Count = 0;
};

using LabelTexts = std::array<std::array<char, kLabelTextBytes>, kLabelTextSlots>;

// The part of the model a load replaces. A load works on a copy and assigns it
// back only when every file passed, so a failed load leaves all of it untouched.
struct FirmwareState {
  LayoutRecord Layout;
  LayoutRecord LoadedLayout;  // values of the last successful load

  std::array<CategoryEntry, kCategoryEntrySlots> CategoryEntries{};
  std::array<CategoryEntry, kCategoryEntrySlots> LoadedCategoryEntries{};
  int32_t CategoryEntryCount = 0;
  // Set once the unlisted (category 255) entries of this load have been taken off
  // CategoryEntryCount, so that later rebuilds do not shorten the table again.
  bool UnlistedEntriesCounted = false;

  std::array<ItemRecord, kItemSlots> ItemTable{};
  std::array<ItemRecord, kItemSlots> LoadedItemTable{};  // items of the last successful load
  int32_t ItemCount = 0;

  std::array<CategoryList, kCategories> CategoryTable{};

  int32_t FirmwareVersion = 0;  // 390, 395, 401, 500; 0 before the first load
  FirmwareProfile Profile;

  // 5.00: the float constants built by lui/ori/mtc1 sequences, in backward-scan order.
  std::array<uint32_t, kVshConstantEntries> VshConstants{};
  std::array<uint32_t, kPafConstantEntries> PafConstants{};

  PspHeader VshmainPspHeader = BuiltinVshmainPspHeader();
  PspHeader PafPspHeader = BuiltinPafPspHeader();

  // Length of each file image in its area; 0 when that file was not loaded.
  int32_t VshmainLoadedSize = 0;
  int32_t PafLoadedSize = 0;
  int32_t OpeningLoadedSize = 0;
  int32_t TopmenuPluginLoadedSize = 0;
  int32_t SystemPluginFgLoadedSize = 0;
  int32_t TopmenuIconLoadedSize = 0;

  // Offsets in the system_plugin_fg.rco image of the two objects Save writes through.
  uint32_t BatteryObject = 0;
  uint32_t BusyObject = 0;

  std::array<std::array<char, kImageLabelChars>, kImageLabelSlots> ImageLabels{};
  int32_t ImageLabelCount = 0;
  std::array<int32_t, kItemNumbers> SubIconImageIndex{};

  LabelTexts LabelTextsJapanese{};
  LabelTexts LabelTextsEnglish{};
};

struct Model : FirmwareState {
  // Mirrors of the File window's two check boxes; opening_plugin.prx is loaded and
  // saved only when both are set.
  uint8_t BootSoundEnabled = 0;
  uint8_t OpeningEnabled = 0;

  Paths paths;
  WorkArea work;
  // The icon pictures of the last successful load.
  IconPictures pictures;
};

// A load stages into a copy of this and assigns it back whole; the fuzz targets
// compare states byte for byte.
static_assert(std::is_trivially_copyable_v<FirmwareState>);

// Copies Layout into LoadedLayout, CategoryEntries into LoadedCategoryEntries and
// ItemTable into LoadedItemTable.
void TakeLoadedCopy(FirmwareState& state);

// The label text table of a language (0 Japanese, 1 English).
inline const LabelTexts& LabelTextsFor(const FirmwareState& s, int language) {
  return language == 0 ? s.LabelTextsJapanese : s.LabelTextsEnglish;
}

}  // namespace qorvi
