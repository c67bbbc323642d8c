// What the processor and the controller tell each other through the host's
// connection (IConnectionPoint), never from inside process(): the editor's
// display feed, asked for at each display tick and answered at once, and
// the settings that are not parameters, set in the editor. The controller
// never reads the processor's memory, so this works when a host runs the
// two apart.
#pragma once

#include <vst3_c_api.h>

#include <cstdint>
#include <optional>

#include "engine/display_feed.h"
#include "engine/effect.h"

namespace velmorin::vst3 {

// Message ids.
constexpr const char* kFeedRequest = "VlmFeedRequest";
constexpr const char* kFeed = "VlmFeed";
constexpr const char* kSettings = "VlmSettings";

// What the editor's meters and wave displays show, since the last request.
struct DisplayFeedValues {
    LaneExtremes waves;
    OutputSums sums;
    float outputGain;
    float limiterThresholdGain;
    uint8_t outputRelinked;
};

// The feed the processor's engine has handed over, taken.
DisplayFeedValues takeFeed(Effect& effect);
// Into the controller's model, where the editor takes it as from an effect.
void mirrorFeed(Effect& model, const DisplayFeedValues& values);

bool isMessage(Steinberg_Vst_IMessage* message, const char* id);
// A message the host makes, with its id; null where the host makes none.
Steinberg_Vst_IMessage* newMessage(Steinberg_Vst_IHostApplication* host, const char* id);
// Sends and releases the message; nothing when either is missing.
void send(Steinberg_Vst_IConnectionPoint* peer, Steinberg_Vst_IMessage* message);

void writeFeed(Steinberg_Vst_IMessage* message, const DisplayFeedValues& values);
// None unless the message carries a whole feed.
std::optional<DisplayFeedValues> readFeed(Steinberg_Vst_IMessage* message);

void writeSettingsMessage(Steinberg_Vst_IMessage* message, int32_t normalizeTarget,
                          int32_t dcRemoval);
// Applies what the message carries; false unless it carries both.
bool applySettingsMessage(Steinberg_Vst_IMessage* message, Effect& effect);

// The host application a context offers, counted; null if none.
Steinberg_Vst_IHostApplication* hostApplicationOf(Steinberg_FUnknown* context);

}  // namespace velmorin::vst3
