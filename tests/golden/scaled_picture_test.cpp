// The editor at 2.0 is the 1.0 picture drawn at twice the size: averaged
// down 2:1 it comes close to 1.0, yet along the edges of its text it holds
// detail an enlargement of the 1.0 pixels would not. (Straight one-pixel
// lines are whole device pixels by design, so they are left out.)
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/layout.h"
#include "platform/scale.h"
#include "snapshot/editor_snapshot.h"

namespace velmorin::snapshot {
namespace {

using platform::Colour;

int channelSum(Colour c) {
    return platform::redOf(c) + platform::greenOf(c) + platform::blueOf(c);
}

// Text the editor draws (the faders' read-outs) and text of the artwork
// (the name and the lamps' labels).
bool inText(int x, int y) {
    const Area name = kInfoSpot;
    if (x >= name.left && x < name.right && y >= name.top - 8 && y < name.bottom + 8) return true;
    for (const ControlPlace& c : kControlPlaces) {
        if (c.kind == ControlKind::Fader && x >= c.boxX && x < c.boxX + kReadoutWidth &&
            y >= c.boxY && y < c.boxY + kReadoutHeight)
            return true;
        if (c.kind == ControlKind::LampButton && x >= c.x + 2 && x < c.x + c.travel - 2 &&
            y >= c.y + 6 && y < c.y + c.height - 2)
            return true;
    }
    return false;
}

// Where the 1.0 picture changes sharply.
bool isEdge(const platform::PixelBuffer& picture, int x, int y) {
    const Colour c = picture.at(x, y);
    return std::abs(channelSum(c) - channelSum(picture.at(x + 1, y))) > 90 ||
           std::abs(channelSum(c) - channelSum(picture.at(x, y + 1))) > 90;
}

TEST(ScaledPicture, TwiceAsLargeIsTheSamePictureDrawnFiner) {
    Scene scene;
    const platform::PixelBuffer one = snapshotEditor(scene);
    scene.scale = platform::Scale::ofQuarters(8);
    const platform::PixelBuffer two = snapshotEditor(scene);
    ASSERT_EQ(two.width, 2 * one.width);
    ASSERT_EQ(two.height, 2 * one.height);

    double difference = 0;
    int edges = 0, uniformEdges = 0;
    for (int y = 0; y + 1 < one.height; ++y) {
        for (int x = 0; x + 1 < one.width; ++x) {
            const Colour block[4] = {two.at(2 * x, 2 * y), two.at(2 * x + 1, 2 * y),
                                     two.at(2 * x, 2 * y + 1), two.at(2 * x + 1, 2 * y + 1)};
            int mean[3] = {};
            for (Colour c : block) {
                mean[0] += platform::redOf(c);
                mean[1] += platform::greenOf(c);
                mean[2] += platform::blueOf(c);
            }
            const Colour c = one.at(x, y);
            difference += std::abs(mean[0] / 4.0 - platform::redOf(c)) +
                          std::abs(mean[1] / 4.0 - platform::greenOf(c)) +
                          std::abs(mean[2] / 4.0 - platform::blueOf(c));
            if (!inText(x, y) || !isEdge(one, x, y)) continue;
            ++edges;
            uniformEdges += block[0] == block[1] && block[0] == block[2] && block[0] == block[3];
        }
    }
    const double meanDifference = difference / (3.0 * (one.width - 1) * (one.height - 1));
    EXPECT_LT(meanDifference, 2.0);
    ASSERT_GT(edges, 500);
    EXPECT_LT(uniformEdges, edges / 2) << uniformEdges << " of " << edges << " text edges uniform";
    RecordProperty("mean_difference", std::to_string(meanDifference));
    RecordProperty("uniform_edge_blocks",
                   std::to_string(uniformEdges) + "/" + std::to_string(edges));
}

}  // namespace
}  // namespace velmorin::snapshot
