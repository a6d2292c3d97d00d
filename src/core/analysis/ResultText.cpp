#include "core/analysis/ResultText.h"

#include <array>
#include <charconv>

namespace {

std::string Chars(double value, std::chars_format format, int decimals)
{
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, decimals);
    return {buffer.data(), result.ptr};
}

}  // namespace

std::string FixedText(double value, int decimals) { return Chars(value, std::chars_format::fixed, decimals); }

std::string ExpText(double value, int decimals) { return Chars(value, std::chars_format::scientific, decimals); }

std::string Padded(std::string text, std::size_t width, bool leftAlign)
{
    if (text.size() < width)
        text.insert(leftAlign ? text.end() : text.begin(), width - text.size(), ' ');
    return text;
}
