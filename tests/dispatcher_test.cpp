// The numbered requests as a host sends them, through the loaded plug-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>

#include "formats/vst2/adelay.h"
#include "support/loaded_plugin.h"

namespace {

constexpr char kUntouched = '\x7f';

struct TextBuffer {
    std::array<char, kTextBufferSize> bytes;
    TextBuffer() { bytes.fill(kUntouched); }
    char* data() { return bytes.data(); }
    std::string str() const { return std::string(bytes.data()); }
    bool untouched() const {
        return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == kUntouched; });
    }
};

}  // namespace

TEST(Dispatcher, AnswersTheIdentityRequests) {
    Plugin plugin;
    EXPECT_EQ(plugin.dispatch(effIdentify), fourCharCode('N', 'v', 'E', 'f'));
    EXPECT_EQ(plugin.dispatch(effGetPlugCategory), 4);
    EXPECT_EQ(plugin.dispatch(effGetVendorVersion), 1500);
    EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(plugin.dispatch(effGetCurrentMidiProgram), -1);

    const std::pair<int32_t, std::string> strings[] = {
        {effGetEffectName, "Velmorin"},
        {effGetProductString, "Velmorin"},
        {effGetVendorString, "QuandorWeb"},
    };
    for (const auto& [opcode, expected] : strings) {
        TextBuffer text;
        EXPECT_EQ(plugin.dispatch(opcode, 0, 0, text.data()), 1) << opcode;
        EXPECT_EQ(text.str(), expected) << opcode;
        EXPECT_EQ(text.bytes[expected.size() + 1], kUntouched) << opcode;
    }
}

TEST(Dispatcher, CanDoMatchesWholeStringsOnly) {
    Plugin plugin;
    auto canDo = [&](const char* what) {
        return plugin.dispatch(effCanDo, 0, 0, const_cast<char*>(what));
    };
    EXPECT_EQ(canDo("1in1out"), 1);
    EXPECT_EQ(canDo("2in2out"), 1);
    EXPECT_EQ(canDo("plugAsChannelInsert"), 1);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), -1);
    EXPECT_EQ(canDo("1in1outSidechain"), -1);
    EXPECT_EQ(canDo("2in2"), -1);
    EXPECT_EQ(canDo(""), -1);
}

TEST(Dispatcher, EveryParameterCanBeAutomated) {
    Plugin plugin;
    for (int32_t index : {0, 17, 29, 30, 31, -1}) {
        EXPECT_EQ(plugin.dispatch(effCanBeAutomated, index), 1) << index;
    }
}

TEST(Dispatcher, SpeakerArrangementClearsBothPointers) {
    Plugin plugin;
    int dummy = 0;
    void* input = &dummy;
    void* output = &dummy;
    EXPECT_EQ(
        plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output),
        0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(Dispatcher, TotalSamplesToProcessAnswersTheValue) {
    Plugin plugin;
    EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, 123456), 123456);
    const intptr_t large = intptr_t{1} << 40;
    EXPECT_EQ(plugin.dispatch(effSetTotalSampleToProcess, 0, large), large);
}

TEST(Dispatcher, ChunkRequestsAreRefusedAndTouchNothing) {
    Plugin plugin;
    int dummy = 0;
    void* chunk = &dummy;
    EXPECT_EQ(plugin.dispatch(effGetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(chunk, &dummy);
    EXPECT_EQ(plugin.dispatch(effSetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(chunk, &dummy);
}

// Requests that are not listed (and the listed ones that are refused) answer 0,
// write nothing through the pointer and change no state. The editor requests
// are left out: they belong to whatever editor is attached.
TEST(Dispatcher, UnlistedRequestsAnswerZeroAndChangeNothing) {
    // clang-format off
    const std::set<int32_t> answered = {
        effClose, effSetProgram, effGetProgram, effSetTotalSampleToProcess,
        effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay,
        effGetParamName, effEditGetRect, effEditOpen, effEditClose,
        effEditIdle, effIdentify, effCanBeAutomated, effGetPlugCategory,
        effGetEffectName, effGetVendorString, effGetProductString, effGetVendorVersion,
        effCanDo, effGetVstVersion, effEditKeyDown, effEditKeyUp,
        effSetEditKnobMode, effGetCurrentMidiProgram};
    // clang-format on
    Plugin plugin;
    plugin.selectProgram(3);
    plugin.set(3, 0.5f);
    for (int32_t opcode = -2; opcode < 200; ++opcode) {
        if (answered.count(opcode)) continue;
        TextBuffer buffer;
        EXPECT_EQ(plugin.dispatch(opcode, 3, 0, buffer.data()), 0) << opcode;
        EXPECT_TRUE(buffer.untouched()) << opcode;
    }
    EXPECT_EQ(plugin.dispatch(effGetProgram), 3);
    EXPECT_EQ(plugin.programName(), "Mastering 3");
    EXPECT_EQ(plugin.display(3), "-18.0");
}

TEST(Dispatcher, OutOfRangeProgramIsIgnored) {
    Plugin plugin;
    plugin.selectProgram(3);
    plugin.set(3, 0.5f);
    // 2^32 would become program 0 if the value were cut to 32 bits.
    for (intptr_t program : {intptr_t{18}, intptr_t{-1}, intptr_t{1} << 32}) {
        EXPECT_EQ(plugin.dispatch(effSetProgram, 0, program), 0);
        EXPECT_EQ(plugin.dispatch(effGetProgram), 3);
        EXPECT_EQ(plugin.display(3), "-18.0");
    }
}

TEST(Dispatcher, LatencyFollowsLookAheadExactlyOne) {
    Plugin plugin;
    RecordingHost::calls().clear();
    plugin.set(19, 0.5f);
    EXPECT_EQ(plugin.effect()->initialDelay, 0);
    EXPECT_EQ(plugin.display(19), "On");
    plugin.set(19, 0.999f);
    EXPECT_EQ(plugin.effect()->initialDelay, 0);
    plugin.set(19, 1.0f);
    EXPECT_EQ(plugin.effect()->initialDelay, 880);
    plugin.set(19, 0.0f);
    EXPECT_EQ(plugin.effect()->initialDelay, 0);
    EXPECT_EQ(plugin.display(19), "Off");
    EXPECT_TRUE(RecordingHost::calls().empty());  // the host is not told
}

TEST(Dispatcher, EffectCallsTheHostOnlyForTheVersion) {
    RecordingHost::calls().clear();
    Plugin plugin;
    plugin.dispatch(effOpen);
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    plugin.dispatch(effSetBlockSize, 0, 256);
    plugin.dispatch(effMainsChanged, 0, 1);
    plugin.selectProgram(8);  // latency changes to 0
    plugin.set(19, 1.0f);     // and back to 880
    plugin.dispatch(effMainsChanged, 0, 0);
    ASSERT_EQ(RecordingHost::calls().size(), 1u);
    EXPECT_EQ(RecordingHost::calls()[0].opcode, audioMasterVersion);
}

TEST(Dispatcher, DeprecatedProcessEntriesLeaveOutputsUntouched) {
    Plugin plugin;
    AEffect* e = plugin.effect();
    float in[2][4] = {{0.5f, 0.5f, 0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f, -0.5f}};
    float out[2][4] = {{9, 9, 9, 9}, {9, 9, 9, 9}};
    float* inputs[2] = {in[0], in[1]};
    float* outputs[2] = {out[0], out[1]};
    e->process(e, inputs, outputs, 4);
    double inD[2][4] = {};
    double outD[2][4] = {{9, 9, 9, 9}, {9, 9, 9, 9}};
    double* inputsD[2] = {inD[0], inD[1]};
    double* outputsD[2] = {outD[0], outD[1]};
    e->processDoubleReplacing(e, inputsD, outputsD, 4);
    for (int channel = 0; channel < 2; ++channel) {
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(out[channel][n], 9.0f);
            EXPECT_EQ(outD[channel][n], 9.0);
        }
    }
}

TEST(Dispatcher, CloseAnswersOne) {
    Plugin plugin;
    EXPECT_EQ(plugin.dispatch(effOpen), 0);
    EXPECT_EQ(plugin.close(), 1);
}

TEST(Dispatcher, CloseDestroysTheEffect) {
    static bool destroyed = false;
    struct Probe : ADelay {
        using ADelay::ADelay;
        ~Probe() override { destroyed = true; }
    };
    AEffect* e = (new Probe(nullptr))->getAeffect();
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(destroyed);
}

TEST(Dispatcher, NoEffectWhenTheHostAnswersVersionZero) {
    RecordingHost::calls().clear();
    RecordingHost::versionAnswer() = 0;
    AEffect* refused = Plugin::library().entry()(RecordingHost::callback);
    RecordingHost::versionAnswer() = 1;
    AEffect* accepted = Plugin::library().entry()(RecordingHost::callback);
    RecordingHost::versionAnswer() = 2400;

    EXPECT_EQ(refused, nullptr);
    ASSERT_NE(accepted, nullptr);
    accepted->dispatcher(accepted, effClose, 0, 0, nullptr, 0.0f);
    ASSERT_EQ(RecordingHost::calls().size(), 2u);
    for (const HostCall& call : RecordingHost::calls()) {
        EXPECT_EQ(call.effect, nullptr);
        EXPECT_EQ(call.opcode, audioMasterVersion);
        EXPECT_EQ(call.index, 0);
        EXPECT_EQ(call.value, 0);
        EXPECT_EQ(call.ptr, nullptr);
        EXPECT_EQ(call.opt, 0.0f);
    }
}

// ADelay never has an editor, whatever the editor build attaches to ADelayEdit.
TEST(Dispatcher, EditorRequestsAnswerZeroWithoutAnEditor) {
    ADelay effect(nullptr);
    ERect* rect = reinterpret_cast<ERect*>(&effect);
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(&effect));
    const int32_t requests[] = {effEditOpen,    effEditClose, effEditIdle,
                                effEditKeyDown, effEditKeyUp, effSetEditKnobMode};
    for (int32_t opcode : requests) {
        EXPECT_EQ(effect.dispatcher(opcode, 0, 1, nullptr, 0.0f), 0) << opcode;
    }
}

TEST(Dispatcher, NullPointersAreRefusedWithoutEffect) {
    Plugin plugin;
    const int32_t requests[] = {effSetProgramName,  effGetProgramName,  effGetParamLabel,
                                effGetParamDisplay, effGetParamName,    effEditGetRect,
                                effGetEffectName,   effGetVendorString, effGetProductString};
    for (int32_t opcode : requests) {
        EXPECT_EQ(plugin.dispatch(opcode, 0, 0, nullptr), 0) << opcode;
    }
    EXPECT_EQ(plugin.dispatch(effCanDo, 0, 0, nullptr), -1);
    EXPECT_EQ(plugin.programName(), "Init");

    int dummy = 0;
    void* input = &dummy;
    EXPECT_EQ(
        plugin.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), nullptr),
        0);
    EXPECT_EQ(input, &dummy);
}
