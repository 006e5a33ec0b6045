#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace yw {

// The whole text (blanks around it allowed) as a number, rounded half to even; nullopt when it
// is not a number or does not fit the range.
std::optional<long long> parseNumber(std::string_view text, long long min, long long max);
// What the files hold: an optional sign and decimal digits, blanks or tabs around them, in the
// range; nullopt for anything else ("60.5" is no whole number, it is not rounded).
std::optional<long long> parseWholeNumber(std::string_view text, long long min, long long max);
std::optional<int16_t> parseInt16(std::string_view text);
std::optional<int32_t> parseInt32(std::string_view text);

// The number the text starts with (after blanks), rounded half to even; 0 when there is none.
double leadingValue(std::string_view text);
long long leadingNumber(std::string_view text);

} // namespace yw
