// How a picture drawn at a scale compares with the same picture at 1.0: each
// logical pixel's device cell, averaged, against the 1.0 pixel; and, among
// the cells a test marks (its text), how many hold detail, where a 1.0
// picture enlarged would have one flat colour.
#pragma once

#include <cstdlib>
#include <functional>

#include "platform/scale.h"
#include "platform/soft/pixel_buffer.h"

namespace velmorin::testing_support {

struct ScaledComparison {
    // Mean difference per channel and pixel, 0 to 255.
    double meanDifference = 0;
    int markedCells = 0;
    int detailedCells = 0;  // marked cells that are not one flat colour
};

inline ScaledComparison compareWithOne(const platform::PixelBuffer& shown,
                                       const platform::PixelBuffer& atOne, platform::Scale scale,
                                       const std::function<bool(int x, int y)>& marked) {
    ScaledComparison result;
    double difference = 0;
    for (int y = 0; y < atOne.height; ++y) {
        for (int x = 0; x < atOne.width; ++x) {
            const platform::Colour first = shown.at(scale.device(x), scale.device(y));
            int sum[3] = {}, count = 0;
            bool flat = true;
            for (int dy = scale.device(y); dy < scale.device(y + 1); ++dy) {
                for (int dx = scale.device(x); dx < scale.device(x + 1); ++dx, ++count) {
                    const platform::Colour c = shown.at(dx, dy);
                    sum[0] += platform::redOf(c);
                    sum[1] += platform::greenOf(c);
                    sum[2] += platform::blueOf(c);
                    flat = flat && c == first;
                }
            }
            const platform::Colour want = atOne.at(x, y);
            difference += std::abs(static_cast<double>(sum[0]) / count - platform::redOf(want)) +
                          std::abs(static_cast<double>(sum[1]) / count - platform::greenOf(want)) +
                          std::abs(static_cast<double>(sum[2]) / count - platform::blueOf(want));
            if (count > 1 && marked(x, y)) {
                ++result.markedCells;
                result.detailedCells += flat ? 0 : 1;
            }
        }
    }
    result.meanDifference = difference / (3.0 * atOne.width * atOne.height);
    return result;
}

}  // namespace velmorin::testing_support
