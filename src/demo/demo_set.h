// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic firmware sets: every file the loader reads, built from scratch with
// plausible values, drawn icons and names in both languages. `qorvi-cli demo`
// writes them; the tests use them as fixtures.
//
// A set is made from a DemoContent (the values, menu entries, items and names it
// holds). DefaultDemoContent gives the standard set of a version; tests that need
// other values change a copy and build from it, and ExpectedLoad tells what
// loading that set must produce.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/layout_record.h"
#include "model/model.h"
#include "model/psp_header.h"

namespace qorvi::demo {

struct DemoOptions {
  int32_t version = 500;    // 390, 395, 401 or 500
  bool compressed = false;  // the three modules as compressed "~PSP" images
  bool bootSound = false;   // also a bootsound.wav
};

struct DemoFiles {
  std::vector<uint8_t> vshmain;
  std::vector<uint8_t> paf;
  std::vector<uint8_t> opening;
  std::vector<uint8_t> topmenuPlugin;
  std::vector<uint8_t> systemPluginFg;
  std::vector<uint8_t> topmenuIcon;
  std::vector<uint8_t> bootSound;  // empty unless requested
};

// One menu item: its record in vshmain.prx and what the containers hold for it.
struct DemoItem {
  ItemRecord record;     // ExecIndex is not stored anywhere; the load computes it
  std::string japanese;  // display name, UTF-8, at most 47 bytes
  std::string english;
  bool hasIcon = true;  // topmenu_icon.rco holds an image labelled with MainImageTag
};

// Everything a set holds. Integer layout fields are planted as floats of the
// integer, float fields as they are. BatteryColor, ClockColor and BusyColor of
// `layout` are not used: the containers hold these colours as floats (below).
// Fields the version has no place for are not planted.
struct DemoContent {
  int32_t version = 500;
  LayoutRecord layout;
  RgbF batteryColor;
  RgbF clockColor;
  RgbF busyColor;
  std::vector<CategoryEntry> categoryEntries;             // the version's CategoryEntryCount
  std::vector<DemoItem> items;                            // the version's ItemCount
  std::array<std::string, kCategories> categoryJapanese;  // category names by slot (0 settings .. 7 PSN)
  std::array<std::string, kCategories> categoryEnglish;
};

// A bitmap the load writes for a demo set, and what it must look like.
struct ExpectedIcon {
  std::string fileName;  // e.g. "MainIcon0.bmp", "SubIcon013.bmp", "BatteryIcon.bmp"
  int width;
  int height;
  int bitsPerPixel;  // 32 or 8
};

// What loading a demo set of a version must produce.
struct DemoExpectation {
  LayoutRecord layout;                                               // fields the version does not load are zero
  std::array<CategoryEntry, kCategoryEntrySlots> categoryEntries{};  // unloaded slots zero
  int32_t categoryEntryCount = 0;                                    // as loaded, before the category lists are built
  std::array<ItemRecord, kItemSlots> items{};                        // unloaded slots empty; ExecIndex filled
  std::vector<std::string> imageLabels;
  std::array<int32_t, kItemNumbers> subIconImageIndex{};
  LabelTexts japanese{};
  LabelTexts english{};
  // Every bitmap the load writes, none other, in the order the load writes them:
  // BatteryIcon, BusyIcon, MainIcon0.., then the item icons in extraction order.
  std::vector<ExpectedIcon> icons;
};

// The standard content of a version (390, 395, 401 or 500).
DemoContent DefaultDemoContent(int32_t version);

// The standard set of options.version.
DemoFiles BuildDemoSet(const DemoOptions& options);
// A set holding `content`; its version is content.version (options.version is not used).
DemoFiles BuildDemoSet(const DemoContent& content, const DemoOptions& options);

// What a load of the standard set of `version` into a fresh model must produce.
DemoExpectation ExpectedDemoLoad(int32_t version);
// The same for a set built from `content`.
DemoExpectation ExpectedLoad(const DemoContent& content);
// A model holding what a load of the standard set of `version` reads (version,
// profile, layout, menu entries and items), without reading any file; the steps
// after a load (the loaded copy, the category lists) are the caller's.
std::unique_ptr<FirmwareState> ExpectedDemoState(int32_t version);

// Writes the six files under their standard names (and bootsound.wav when asked)
// into `dir`, creating it. False with a reason in `error` when a file cannot be written.
bool WriteDemoSet(const std::string& dir, const DemoOptions& options, std::string* error);
// Writes files built elsewhere (bootsound.wav only when `files.bootSound` is not empty).
bool WriteDemoFiles(const std::string& dir, const DemoFiles& files, std::string* error);

// The ~PSP headers the compressed variant starts from: the built-in ones with the
// entry word at 0x30 changed, so that a test can tell a kept header from the
// built-in one. opening_plugin.prx is packed with the vshmain.prx header.
inline constexpr std::size_t kPspEntryOffset = 0x30;
inline constexpr uint32_t kDemoVshmainEntry = 0x0000C8E4;
inline constexpr uint32_t kDemoPafEntry = 0x00033D10;
PspHeader DemoVshmainPspHeader();
PspHeader DemoPafPspHeader();

// The boot sound area of opening_plugin.prx (its start is the profile's BootSoundOffset).
inline constexpr std::size_t kBootSoundAreaSize = 0xC0E0;
// The byte the demo fills that area with at position i, so that a test can see
// whether Save replaced it.
uint8_t BootSoundAreaByte(std::size_t i);

// A short tone as a RIFF/PCM .wav file, well below the area's size.
std::vector<uint8_t> DemoBootSound();

}  // namespace qorvi::demo
