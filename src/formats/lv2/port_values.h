// What a parameter's LV2 control port carries: the number the effect shows
// (decibels, the ratio, the zoom; 0 or 1 for a switch), so that hosts'
// generic controls, units and automation lanes read as the editor does.
// The description generator and the plug-in both convert here, so a port's
// range and default and the value the plug-in reads from it cannot disagree.
#pragma once

#include <cstdint>

namespace velmorin::lv2 {

struct PortRange {
    float minimum;
    float maximum;
    float defaultValue;
    int32_t steps;  // values from minimum to maximum, both included; 0 when continuous
};

PortRange portRange(int32_t index);

// The port value a stored value shows as.
float portValueOfStored(int32_t index, float stored);

// What Effect::setParameter is given for a port value: a whole number of
// stored steps in stored units (never a value the core would take as a
// normalized host value), a switch 0 or 1. Any float a host writes, NaN and
// the infinities too, lands inside the port's range.
float parameterValueOfPort(int32_t index, float portValue);

// The settings' port values as the editor's menu would set them: a normalize
// target 0 to 3, DC removal 0 or 1, whatever float a host writes.
int32_t normalizeTargetOfPort(float value);
int32_t dcRemovalOfPort(float value);

}  // namespace velmorin::lv2
