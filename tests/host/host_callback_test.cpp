// What the host answers when a plug-in asks.
#include <gtest/gtest.h>

#include <cstring>

#include "host_callback.h"

using namespace velmorin::host;

namespace {

class HostCallback : public ::testing::Test {
  protected:
    void SetUp() override {
        context_.sampleRate = 48000.0;
        context_.blockSize = 256;
        effect_.user = &context_;
    }

    intptr_t ask(int32_t opcode, void* ptr = nullptr, AEffect* effect = nullptr) {
        return hostCallback(effect ? effect : &effect_, opcode, 0, 0, ptr, 0.0f);
    }

    HostContext context_;
    AEffect effect_{};
};

TEST_F(HostCallback, AnswersIdentityAndSettings) {
    EXPECT_EQ(hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(ask(audioMasterCurrentId), 0);
    EXPECT_EQ(ask(audioMasterGetSampleRate), 48000);
    EXPECT_EQ(ask(audioMasterGetBlockSize), 256);
    char text[64];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(ask(audioMasterGetVendorString, text), 1);
    EXPECT_STREQ(text, "QuandorWeb");
    EXPECT_EQ(ask(audioMasterGetProductString, text), 1);
    EXPECT_STREQ(text, "velmorin");
    EXPECT_EQ(ask(audioMasterGetVendorVersion), 1500);
}

TEST_F(HostCallback, OffersNoOptionalFeatures) {
    char feature[] = "sendVstEvents";
    EXPECT_EQ(ask(audioMasterCanDo, feature), 0);
    for (int32_t opcode : std::initializer_list<int32_t>{
             audioMasterAutomate, audioMasterIdle, audioMasterWantMidi, audioMasterIOChanged,
             audioMasterSizeWindow, audioMasterGetLanguage, audioMasterBeginEdit, 99, -1}) {
        EXPECT_EQ(ask(opcode), 0) << opcode;
    }
    EXPECT_EQ(ask(audioMasterGetVendorString, nullptr), 0);
    // A new editor size only where a window follows it.
    context_.followsEditorSize = true;
    EXPECT_EQ(ask(audioMasterSizeWindow), 1);
}

TEST_F(HostCallback, GivesAValidTimeRecordAtTheCurrentBlock) {
    context_.samplePosition = 96000.0;  // two seconds: four beats at 120 per minute
    const auto* info = reinterpret_cast<const VstTimeInfo*>(ask(audioMasterGetTime));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->samplePos, 96000.0);
    EXPECT_EQ(info->sampleRate, 48000.0);
    EXPECT_EQ(info->tempo, 120.0);
    EXPECT_EQ(info->ppqPos, 4.0);
    EXPECT_EQ(info->barStartPos, 4.0);
    EXPECT_EQ(info->timeSigNumerator, 4);
    EXPECT_EQ(info->timeSigDenominator, 4);
    EXPECT_TRUE(info->flags & kVstTransportPlaying);
    EXPECT_TRUE(info->flags & kVstTempoValid);
    EXPECT_TRUE(info->flags & kVstPpqPosValid);
}

TEST_F(HostCallback, AnswersDuringTheEntryCallBeforeTheRecordIsKnown) {
    AEffect unclaimed{};  // user not yet set by the host
    EXPECT_EQ(ask(audioMasterGetSampleRate, nullptr, &unclaimed), 0);
    {
        ContextDuringEntry during(&context_);
        EXPECT_EQ(hostCallback(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 48000);
        EXPECT_EQ(ask(audioMasterGetBlockSize, nullptr, &unclaimed), 256);
    }
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 0);
}

}  // namespace
