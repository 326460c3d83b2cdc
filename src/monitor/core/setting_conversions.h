// Text forms of the settings file's values and their conversions back.
//
// Readers return nothing when a text does not convert; the caller then keeps
// the control's current state, which at start-up is the key's default. None
// of them throws.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/number_format.h"

namespace skel::monitor {

// A whole number as the program's number parsing reads it: blanks around it
// allowed, an optional sign, a fraction rounded half to even ("2.5" -> 2,
// "3.5" -> 4). Nothing for non-numbers and for values outside 32 bits.
std::optional<int32_t> ParseWholeNumber(std::string_view text, const LocaleSeparators& separators);

// Check box: "0" clear, "1" checked (any text that reads as the whole number
// 0 or 1, e.g. " 1 " or "0.6"). A check box of this program has no third
// state, so other numbers do not convert either.
std::optional<bool> ParseCheckBox(std::string_view text, const LocaleSeparators& separators);
std::string CheckBoxText(bool checked);  // "1" / "0"

// Option buttons, menu check marks, font bold and italic: "True"/"False" in
// any letter case, or a number (0 false, any other true).
std::optional<bool> ParseTruth(std::string_view text, const LocaleSeparators& separators);
std::string TruthText(bool value);  // "True" / "False"

// Colours: signed 32-bit decimal, red in the lowest byte. System colours
// (high bit set, e.g. -2147483633 for the button face) are ordinary values.
std::optional<int32_t> ParseColour(std::string_view text, const LocaleSeparators& separators);
std::string ColourText(int32_t colour);

// Slider levels (transparency): a whole number within the slider's range.
std::optional<int32_t> ParseSliderLevel(std::string_view text, const LocaleSeparators& separators,
                                        int32_t min = 0, int32_t max = 255);

// Single-precision numbers (font sizes in points, window coordinates in
// twips): the locale's decimal separator or "."; written in the shortest form
// that reads back to the same value, with the locale's separator ("6.75",
// "8", "4560"). Non-finite and out-of-range values do not convert.
std::optional<float> ParseSingle(std::string_view text, const LocaleSeparators& separators);
std::string SingleText(float value, const LocaleSeparators& separators);

// List selections: the list's own entry that the text names (compared without
// regard to letter case, as a drop-down list finds its entries); nothing when
// the text names no entry, which leaves the list without a selection.
std::optional<std::string> MatchListEntry(std::string_view text,
                                          std::span<const std::string> entries);

}  // namespace skel::monitor
