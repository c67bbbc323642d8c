// The core effect on its own, with no plug-in format in the link: what every
// format's adapter builds on.
#include "engine/effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace velmorin {
namespace {

std::string programName(const Effect& effect) {
    char name[kProgramNameSize];
    effect.programName(name);
    return name;
}

std::string display(const Effect& effect, int32_t index) {
    char text[kParameterTextSize] = {};
    effect.parameterDisplay(index, text);
    return text;
}

// The frame at which an impulse comes out loudest, rendered in blocks.
int32_t impulseDelay(Effect& effect, int32_t block) {
    constexpr int32_t kFrames = 2048;
    std::vector<float> in(kFrames), outLeft(kFrames), outRight(kFrames);
    in[0] = 0.25f;
    for (int32_t start = 0; start < kFrames; start += block) {
        float* inputs[2] = {in.data() + start, in.data() + start};
        float* outputs[2] = {outLeft.data() + start, outRight.data() + start};
        effect.process(44100.0f, inputs, outputs, std::min(block, kFrames - start));
    }
    const auto loudest = std::max_element(outLeft.begin(), outLeft.end(), [](float a, float b) {
        return std::fabs(a) < std::fabs(b);
    });
    return static_cast<int32_t>(loudest - outLeft.begin());
}

TEST(CoreEffect, ProgramChangeReplaysTheProgramAndFlagsTheEditor) {
    Effect effect;
    EXPECT_EQ(effect.program(), 0);
    EXPECT_EQ(programName(effect), "Init");
    effect.engine().parametersChanged.set(0);
    effect.setProgram(5);
    EXPECT_EQ(effect.program(), 5);
    EXPECT_EQ(programName(effect), "Heavy");
    EXPECT_EQ(effect.storedValue(kMixM), effect.programs()[5].storedAsFloat(kMixM));
    EXPECT_EQ(effect.engine().parametersChanged.get(), 1);
    for (int32_t outside : {-1, kNumPrograms}) {
        effect.setProgram(outside);
        EXPECT_EQ(effect.program(), 5);
    }
    effect.setProgramName("A name longer than the field holds");
    EXPECT_EQ(programName(effect), "A name longer than the ");
}

TEST(CoreEffect, AutomationStoresInTheCurrentProgramAndMovesTheLatency) {
    Effect effect;
    effect.setProgram(3);
    effect.setParameter(kThrH, 0.5f);
    EXPECT_EQ(display(effect, kThrH), "-18.0");
    EXPECT_FLOAT_EQ(effect.parameter(kThrH), 0.5f);
    EXPECT_EQ(effect.programs()[3].storedAsFloat(kThrH), effect.storedValue(kThrH));
    EXPECT_FLOAT_EQ(Effect::normalizedOf(kThrH, effect.storedValue(kThrH)), 0.5f);

    effect.setParameter(kLookAhead, 1.0f);
    EXPECT_EQ(effect.reportedLatency(), 880);
    effect.setParameter(kLookAhead, 0.0f);
    EXPECT_EQ(effect.reportedLatency(), 0);
}

// The signal's own delay, whatever the block size: what a format that
// reports the true latency tells its host.
TEST(CoreEffect, RenderDelaysTheSignalBy878FramesWithLookAheadOnly) {
    for (int32_t block : {1, 64, 512}) {
        SCOPED_TRACE(block);
        Effect on;
        on.setParameter(kLookAhead, 1.0f);
        EXPECT_EQ(impulseDelay(on, block), 878);
        Effect off;
        off.setParameter(kLookAhead, 0.0f);
        EXPECT_EQ(impulseDelay(off, block), 0);
    }
}

}  // namespace
}  // namespace velmorin
