#include "platform/scale_choice.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

bool isUsableFactor(double factor) {
    return std::isfinite(factor) && factor > 0.0;
}

}  // namespace

Scale nearestEditorScale(double factor) {
    if (std::isnan(factor)) return Scale();
    factor = std::clamp(factor, kEditorScales.front().factor(), kEditorScales.back().factor());
    Scale nearest = kEditorScales.front();
    for (Scale s : kEditorScales)
        if (std::abs(s.factor() - factor) <= std::abs(nearest.factor() - factor)) nearest = s;
    return nearest;
}

std::optional<Scale> scaleOfChoice(std::int32_t storedChoice) {
    for (Scale s : kEditorScales)
        if (s.percent() == storedChoice) return s;
    return std::nullopt;
}

Scale chooseEditorScale(std::int32_t storedChoice, std::optional<double> hostFactor,
                        double systemFactor) {
    if (const auto chosen = scaleOfChoice(storedChoice)) return *chosen;
    if (hostFactor && isUsableFactor(*hostFactor)) return nearestEditorScale(*hostFactor);
    return isUsableFactor(systemFactor) ? nearestEditorScale(systemFactor) : Scale();
}

}  // namespace platform
