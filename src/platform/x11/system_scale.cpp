#include "platform/x11/system_scale.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/x11/x11_connection.h"

namespace platform::x11 {
namespace {

constexpr double kBaseDpi = 96.0;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole of `text` as a positive, finite number; from_chars reads the
// same whatever locale the host runs in.
std::optional<double> positiveNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value <= 0.0) return std::nullopt;
    return value;
}

// The value of the last "Xft.dpi" line, as xrdb keeps the last one merged.
std::optional<double> xftDpi(std::string_view database) {
    std::optional<double> dpi;
    while (!database.empty()) {
        const auto end = database.find('\n');
        const std::string_view line = database.substr(0, end);
        database = end == std::string_view::npos ? std::string_view() : database.substr(end + 1);
        const auto colon = line.find(':');
        if (colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "Xft.dpi")
            continue;
        dpi = positiveNumber(trimmed(line.substr(colon + 1)));
    }
    return dpi;
}

}  // namespace

double systemScaleFactor(std::string_view resourceDatabase, const char* gdkScale) {
    if (const auto dpi = xftDpi(resourceDatabase)) return *dpi / kBaseDpi;
    if (gdkScale)
        if (const auto scale = positiveNumber(trimmed(gdkScale))) return *scale;
    return 1.0;
}

double systemScaleFactor(const Connection& connection) {
    if (const char* own = std::getenv(kScaleVariable))
        if (const auto scale = positiveNumber(trimmed(own))) return *scale;
    return systemScaleFactor(connection.resourceDatabase(), std::getenv("GDK_SCALE"));
}

}  // namespace platform::x11
