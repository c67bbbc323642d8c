// The editor at 2.0 is the 1.0 picture drawn at twice the size: averaged
// down 2:1 it comes close to 1.0, yet along the edges of its text it holds
// detail an enlargement of the 1.0 pixels would not. (Straight one-pixel
// lines are whole device pixels by design, so they are left out.)
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/layout.h"
#include "platform/scale.h"
#include "snapshot/editor_snapshot.h"
#include "support/scaled_picture_check.h"

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

    const testing_support::ScaledComparison compared =
        testing_support::compareWithOne(two, one, scene.scale, [&](int x, int y) {
            return x + 1 < one.width && y + 1 < one.height && inText(x, y) && isEdge(one, x, y);
        });
    const double meanDifference = compared.meanDifference;
    const int edges = compared.markedCells;
    const int uniformEdges = edges - compared.detailedCells;
    EXPECT_LT(meanDifference, 2.0);
    ASSERT_GT(edges, 500);
    EXPECT_LT(uniformEdges, edges / 2) << uniformEdges << " of " << edges << " text edges uniform";
    RecordProperty("mean_difference", std::to_string(meanDifference));
    RecordProperty("uniform_edge_blocks",
                   std::to_string(uniformEdges) + "/" + std::to_string(edges));
}

}  // namespace
}  // namespace velmorin::snapshot
