// Synthetic firmware sets: every file the loader reads, built from scratch with
// plausible values, drawn icons and names in both languages. `qorvi-cli demo`
// writes them; the tests use them as fixtures.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/model.h"

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

// A bitmap the load writes for a demo set, and what it must look like.
struct ExpectedIcon {
  std::string fileName;  // e.g. "MainIcon0.bmp", "SubIcon013.bmp", "BatteryIcon.bmp"
  int width;
  int height;
  int bitsPerPixel;  // 32 or 8
};

// What loading a demo set of a version must produce.
struct DemoExpectation {
  LayoutRecord layout;  // fields the version does not load are zero
  std::array<CategoryEntry, kCategoryEntrySlots> categoryEntries{};  // unloaded slots zero
  int32_t categoryEntryCount = 0;  // as loaded, before the category lists are built
  std::array<ItemRecord, kItemSlots> items{};  // unloaded slots empty; ExecIndex filled
  std::vector<std::string> imageLabels;
  std::array<int32_t, kItemNumbers> subIconImageIndex{};
  LabelTexts japanese{};
  LabelTexts english{};
  std::vector<ExpectedIcon> icons;  // every bitmap the load writes, none other
};

DemoFiles BuildDemoSet(const DemoOptions& options);
DemoExpectation ExpectedDemoLoad(int32_t version);

// Writes the six files under their standard names (and bootsound.wav when asked)
// into `dir`, creating it. False with a reason in `error` when a file cannot be written.
bool WriteDemoSet(const std::string& dir, const DemoOptions& options, std::string* error);

}  // namespace qorvi::demo
