#include "formats/vst3/vst3_messages.h"

#include <cstring>
#include <type_traits>

#include "formats/vst3/vst3_object.h"

namespace velmorin::vst3 {

namespace {

constexpr const char* kFeedAttribute = "feed";
constexpr const char* kNormalizeTarget = "normalizeTarget";
constexpr const char* kDcRemoval = "dcRemoval";
static_assert(std::is_trivially_copyable_v<DisplayFeedValues>);

Steinberg_Vst_IAttributeList* attributesOf(Steinberg_Vst_IMessage* message) {
    return message != nullptr ? call(message, &Steinberg_Vst_IMessageVtbl::getAttributes) : nullptr;
}

}  // namespace

DisplayFeedValues takeFeed(Effect& effect) {
    EngineState& engine = effect.engine();
    return {engine.feed.waves.take(), engine.feed.output.take(), engine.outputGain.get(),
            engine.limiterThresholdGain.get(), engine.outputRelinked.exchange(0)};
}

void mirrorFeed(Effect& model, const DisplayFeedValues& values) {
    EngineState& engine = model.engine();
    engine.feed.waves.publish(values.waves);
    engine.feed.output.publish(values.sums);
    engine.outputGain.set(values.outputGain);
    engine.limiterThresholdGain.set(values.limiterThresholdGain);
    if (values.outputRelinked != 0) engine.outputRelinked.set(1);
}

bool isMessage(Steinberg_Vst_IMessage* message, const char* id) {
    const char* messageId =
        message != nullptr ? call(message, &Steinberg_Vst_IMessageVtbl::getMessageID) : nullptr;
    return messageId != nullptr && std::strcmp(messageId, id) == 0;
}

Steinberg_Vst_IMessage* newMessage(Steinberg_Vst_IHostApplication* host, const char* id) {
    if (host == nullptr) return nullptr;
    Steinberg_TUID classId, interfaceId;
    std::memcpy(classId, Steinberg_Vst_IMessage_iid, sizeof classId);
    std::memcpy(interfaceId, Steinberg_Vst_IMessage_iid, sizeof interfaceId);
    void* object = nullptr;
    if (call(host, &Steinberg_Vst_IHostApplicationVtbl::createInstance, classId, interfaceId,
             &object) != Steinberg_kResultOk ||
        object == nullptr)
        return nullptr;
    auto* message = static_cast<Steinberg_Vst_IMessage*>(object);
    call(message, &Steinberg_Vst_IMessageVtbl::setMessageID, id);
    return message;
}

void send(Steinberg_Vst_IConnectionPoint* peer, Steinberg_Vst_IMessage* message) {
    if (message == nullptr) return;
    if (peer != nullptr) call(peer, &Steinberg_Vst_IConnectionPointVtbl::notify, message);
    call(message, &Steinberg_Vst_IMessageVtbl::release);
}

void writeFeed(Steinberg_Vst_IMessage* message, const DisplayFeedValues& values) {
    if (Steinberg_Vst_IAttributeList* attributes = attributesOf(message))
        call(attributes, &Steinberg_Vst_IAttributeListVtbl::setBinary, kFeedAttribute,
             static_cast<const void*>(&values), static_cast<Steinberg_uint32>(sizeof values));
}

std::optional<DisplayFeedValues> readFeed(Steinberg_Vst_IMessage* message) {
    Steinberg_Vst_IAttributeList* attributes = attributesOf(message);
    const void* data = nullptr;
    Steinberg_uint32 size = 0;
    if (attributes == nullptr ||
        call(attributes, &Steinberg_Vst_IAttributeListVtbl::getBinary, kFeedAttribute, &data,
             &size) != Steinberg_kResultOk ||
        data == nullptr || size != sizeof(DisplayFeedValues))
        return std::nullopt;
    DisplayFeedValues values;
    std::memcpy(&values, data, sizeof values);
    return values;
}

void writeSettingsMessage(Steinberg_Vst_IMessage* message, int32_t normalizeTarget,
                          int32_t dcRemoval) {
    if (Steinberg_Vst_IAttributeList* attributes = attributesOf(message)) {
        call(attributes, &Steinberg_Vst_IAttributeListVtbl::setInt, kNormalizeTarget,
             static_cast<Steinberg_int64>(normalizeTarget));
        call(attributes, &Steinberg_Vst_IAttributeListVtbl::setInt, kDcRemoval,
             static_cast<Steinberg_int64>(dcRemoval));
    }
}

bool applySettingsMessage(Steinberg_Vst_IMessage* message, Effect& effect) {
    Steinberg_Vst_IAttributeList* attributes = attributesOf(message);
    Steinberg_int64 target = 0, removal = 0;
    if (attributes == nullptr ||
        call(attributes, &Steinberg_Vst_IAttributeListVtbl::getInt, kNormalizeTarget, &target) !=
            Steinberg_kResultOk ||
        call(attributes, &Steinberg_Vst_IAttributeListVtbl::getInt, kDcRemoval, &removal) !=
            Steinberg_kResultOk)
        return false;
    // Any value is kept; the engine copes with every one.
    effect.setNormalizeTarget(static_cast<int32_t>(target));
    effect.setDcRemoval(static_cast<int32_t>(removal));
    return true;
}

Steinberg_Vst_IHostApplication* hostApplicationOf(Steinberg_FUnknown* context) {
    void* host = nullptr;
    if (context == nullptr ||
        call(context, &Steinberg_FUnknownVtbl::queryInterface, Steinberg_Vst_IHostApplication_iid,
             &host) != Steinberg_kResultOk)
        return nullptr;
    return static_cast<Steinberg_Vst_IHostApplication*>(host);
}

}  // namespace velmorin::vst3
