#include "platform/numbers.h"

#include "platform/text.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace yw {

namespace {

constexpr std::string_view kBlanks = " \t";

// Length of the decimal number at the start of `text` ([+-]digits[.digits]), 0 if none.
size_t numberLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        size_t fraction = 0;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0 && (fraction > 0 || digits > 0))
            i = j;
        digits += fraction;
    }
    return digits > 0 ? i : 0;
}

} // namespace

std::optional<long long> parseNumber(std::string_view text, long long min, long long max)
{
    text = trimmed(text, kBlanks);
    const size_t length = numberLength(text);
    if (length == 0 || length != text.size() || length > 40)
        return std::nullopt;
    const std::string copy(text);
    const double value = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < double(min) || rounded > double(max))
        return std::nullopt;
    return static_cast<long long>(rounded);
}

std::optional<long long> parseWholeNumber(std::string_view text, long long min, long long max)
{
    text = trimmed(text, kBlanks);
    size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    if (i == text.size() || text.size() > 40)
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        // Beyond every range asked for; stop before it could overflow.
        if (value > (long long)(1) << 40)
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (text[0] == '-')
        value = -value;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<int16_t> parseInt16(std::string_view text)
{
    const auto value = parseWholeNumber(text, INT16_MIN, INT16_MAX);
    if (!value)
        return std::nullopt;
    return static_cast<int16_t>(*value);
}

std::optional<int32_t> parseInt32(std::string_view text)
{
    const auto value = parseWholeNumber(text, INT32_MIN, INT32_MAX);
    if (!value)
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

double leadingValue(std::string_view text)
{
    text = trimmed(text, kBlanks);
    const size_t length = std::min<size_t>(numberLength(text), 40);
    if (length == 0)
        return 0;
    const std::string copy(text.substr(0, length));
    const double value = std::strtod(copy.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

long long leadingNumber(std::string_view text)
{
    const double value = leadingValue(text);
    if (std::fabs(value) > 9.0e15)
        return 0;
    return static_cast<long long>(std::nearbyint(value));
}

} // namespace yw
