// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the editors show and read them. The same rules serve the desktop
// program's edit fields and `qorvi-cli save --set`, so a value typed in either
// place is stored identically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/layout_record.h"

namespace qorvi {

// Only the first 31 characters of an edit's text are read.
inline constexpr std::size_t kEditTextLimit = 31;

// Leading blanks, an optional sign, decimal digits; stops at the first other
// character; 0 when no number leads. Saturates at the int32 range.
int32_t ParseIntegerText(std::string_view text);
// Leading blanks, optional sign, digits, optional fraction and exponent; 0.0
// when no number leads. Rounded to single precision.
float ParseRealText(std::string_view text);
// ParseRealText, truncated toward zero (saturating at the int32 range).
int32_t ParseRealTruncatedText(std::string_view text);
// Bmp01_12size as its edit keeps it: the number as an unsigned 32-bit value
// (negative numbers wrap), 32768 or more gives 32767. The one rule for that field,
// whether the number is typed, set by --set or a layout document, or loaded.
int32_t ClampedSize(int64_t v);
// ParseIntegerText, then ClampedSize.
int32_t ParseClampedSizeText(std::string_view text);

// "%i".
std::string FormatInteger(int32_t v);
// "%u" of the value as unsigned.
std::string FormatUnsigned(int32_t v);
// General notation, at most 15 significant digits, no trailing zeros, exponent
// form ("1E-5", "1.5E20") for magnitudes below 1e-5 or with more than 15 integer
// digits. Reading the text back with ParseRealText gives the same single.
std::string FormatReal(float v);

// Parse `text` by the field's rule and store it into `layout`.
void StoreFieldText(LayoutRecord& layout, const LayoutField& field, std::string_view text);
// The field's value as its edit shows it.
std::string FieldText(const LayoutRecord& layout, const LayoutField& field);
// True when `text`, read as the edit of `field` reads it, gives the value the
// layout holds (floats by their bits: a NaN shows a NaN). A clamped size whose
// number was out of range does not show the value it was clamped to: its edit is
// to show what was stored.
bool TextShowsValue(std::string_view text, const LayoutField& field, const LayoutRecord& layout);

// Float truncated toward zero, as the loader turns firmware singles into integers;
// NaN gives 0 and values outside the int32 range saturate (a plain cast would be
// undefined behaviour for such input).
int32_t TruncateToInt(double v);

}  // namespace qorvi
