// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/work_area.h"

#include <new>

namespace qorvi {

bool WorkArea::Allocate() {
  block_.reset(new (std::nothrow) uint8_t[kWorkAreaSize]());
  return block_ != nullptr;
}

std::span<uint8_t> WorkArea::Area(FileArea a) {
  const AreaLayout& l = kAreaLayout[static_cast<int>(a)];
  return {block_.get() + l.offset, l.capacity};
}

std::span<const uint8_t> WorkArea::Area(FileArea a) const {
  const AreaLayout& l = kAreaLayout[static_cast<int>(a)];
  return {block_.get() + l.offset, l.capacity};
}

std::span<uint8_t> WorkArea::Staging(FileArea a) {
  const AreaLayout& l = kAreaLayout[static_cast<int>(a)];
  return {block_.get() + kStagingOffset + l.offset, l.capacity};
}

std::span<uint8_t> WorkArea::Scratch() { return {block_.get() + kScratchOffset, kScratchSize}; }

}  // namespace qorvi
