#include "formats/lv2/turtle_text.h"

#include <charconv>

namespace velmorin::lv2 {

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string decimal(float value) {
    char text[64];
    // The shortest fixed notation that parses back to the same float.
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    std::string out(text, result.ptr);
    // Without a point Turtle would read an integer.
    if (out.find('.') == std::string::npos) out += ".0";
    return out;
}

}  // namespace velmorin::lv2
