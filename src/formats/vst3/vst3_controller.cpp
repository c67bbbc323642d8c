#include "formats/vst3/vst3_controller.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "formats/settings/effect_settings.h"
#include "formats/vst3/vst3_identity.h"
#include "formats/vst3/vst3_messages.h"
#include "formats/vst3/vst3_meters.h"
#include "formats/vst3/vst3_parameters.h"
#include "formats/vst3/vst3_stream.h"
#include "formats/vst3/vst3_view.h"

namespace velmorin::vst3 {

namespace {

// The core's parameters, the meters, the program and the host's bypass.
constexpr int32_t kListedParameters = kNumParameters + kNumMeterOutputs + 2;
constexpr const char* kUnitNames[kUnitCount] = {"Velmorin", "High", "Mid", "Low", "Master"};
constexpr const char* kSwitchTexts[2] = {"Off", "On"};

int32_t programOf(double normalized) {
    const double value = std::isnan(normalized) ? 0.0 : std::clamp(normalized, 0.0, 1.0);
    return static_cast<int32_t>(std::lround(value * (kNumPrograms - 1)));
}

double normalizedOfProgram(int32_t program) {
    return static_cast<double>(program) / (kNumPrograms - 1);
}

bool isListedId(Steinberg_Vst_ParamID id) {
    return isCoreParameter(id) || isMeterParameter(id) || id == kProgramParameter ||
           id == kHostBypassParameter;
}

void describeExtra(Steinberg_Vst_ParamID id, Steinberg_Vst_ParameterInfo& info) {
    info = {};
    info.id = id;
    if (id == kProgramParameter) {
        copyText(info.title, 128, "Program");
        copyText(info.shortTitle, 128, "Program");
        info.stepCount = kNumPrograms - 1;
        info.unitId = kRootUnit;
        info.flags = Steinberg_Vst_ParameterInfo_ParameterFlags_kIsProgramChange |
                     Steinberg_Vst_ParameterInfo_ParameterFlags_kIsList;
    } else {
        copyText(info.title, 128, "Host bypass");
        copyText(info.shortTitle, 128, "Bypass");
        info.stepCount = 1;
        info.unitId = kRootUnit;
        info.flags = Steinberg_Vst_ParameterInfo_ParameterFlags_kCanAutomate |
                     Steinberg_Vst_ParameterInfo_ParameterFlags_kIsBypass;
    }
}

}  // namespace

Controller::Controller() {
    for (int32_t meter = 0; meter < kNumMeterOutputs; ++meter)
        meters_[meter] = meterRestingValue(meter);
    static const Steinberg_Vst_IEditControllerVtbl controller = {queryFace,
                                                                 addRefFace,
                                                                 releaseFace,
                                                                 initialize,
                                                                 terminate,
                                                                 setComponentState,
                                                                 setState,
                                                                 getState,
                                                                 parameterCount,
                                                                 parameterInfo,
                                                                 stringByValue,
                                                                 valueByString,
                                                                 toPlain,
                                                                 toNormalized,
                                                                 normalized,
                                                                 setNormalized,
                                                                 setComponentHandler,
                                                                 createView};
    static const Steinberg_Vst_IUnitInfoVtbl units = {
        queryFace,        addRefFace,      releaseFace, unitCount,   unitInfo,
        programListCount, programListInfo, programName, programInfo, hasPitchNames,
        pitchName,        selectedUnit,    selectUnit,  unitByBus,   setProgramData};
    static const Steinberg_Vst_IConnectionPointVtbl connection = {
        queryFace, addRefFace, releaseFace, connect, disconnect, notify};
    controller_ = {&controller, this};
    units_ = {&units, this};
    connection_ = {&connection, this};
}

Controller::~Controller() {
    dropHandler();
    dropPeer();
    dropHost();
}

void* Controller::faceFor(const Steinberg_TUID iid) {
    if (sameId(iid, Steinberg_IPluginBase_iid) || sameId(iid, Steinberg_Vst_IEditController_iid))
        return &controller_;
    if (sameId(iid, Steinberg_Vst_IUnitInfo_iid)) return &units_;
    if (sameId(iid, Steinberg_Vst_IConnectionPoint_iid)) return &connection_;
    return nullptr;
}

Steinberg_tresult Controller::initialize(void* face, Steinberg_FUnknown* context) {
    Controller& self = ownerOf<Controller>(face);
    self.dropHost();
    self.host_ = hostApplicationOf(context);
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::terminate(void* face) {
    Controller& self = ownerOf<Controller>(face);
    self.dropHandler();
    self.dropPeer();
    self.dropHost();
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::setComponentState(void* face, Steinberg_IBStream* stream) {
    Controller& self = ownerOf<Controller>(face);
    const std::optional<ProcessorState> state = readState(stream);
    if (!state) return Steinberg_kResultFalse;
    restoreSettings(self.model_, state->settings);
    self.hostBypass_ = state->bypassed ? 1.0 : 0.0;
    return Steinberg_kResultOk;
}

// Everything the controller shows comes from the processor's state.
Steinberg_tresult Controller::setState(void*, Steinberg_IBStream*) {
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::getState(void*, Steinberg_IBStream*) {
    return Steinberg_kResultOk;
}

Steinberg_int32 Controller::parameterCount(void*) {
    return kListedParameters;
}

Steinberg_tresult Controller::parameterInfo(void*, Steinberg_int32 index,
                                            Steinberg_Vst_ParameterInfo* info) {
    if (info == nullptr || index < 0 || index >= kListedParameters)
        return Steinberg_kInvalidArgument;
    constexpr int32_t kProgramIndex = kNumParameters + kNumMeterOutputs;
    if (index < kNumParameters) {
        describeCoreParameter(index, *info);
    } else if (index < kProgramIndex) {
        describeMeterParameter(index - kNumParameters, *info);
    } else {
        describeExtra(index == kProgramIndex ? kProgramParameter : kHostBypassParameter, *info);
    }
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::stringByValue(void*, Steinberg_Vst_ParamID id,
                                            Steinberg_Vst_ParamValue value,
                                            Steinberg_Vst_String128 text) {
    if (text == nullptr || !isListedId(id)) return Steinberg_kInvalidArgument;
    if (isCoreParameter(id)) {
        copyText(text, 128, textOf(static_cast<int32_t>(id), value));
    } else if (isMeterParameter(id)) {
        copyText(text, 128, meterText(meterOf(id), value));
    } else if (id == kProgramParameter) {
        const ProgramBank factory;
        copyText(text, 128, factory[programOf(value)].name);
    } else {
        copyText(text, 128, kSwitchTexts[value >= 0.5 ? 1 : 0]);
    }
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::valueByString(void*, Steinberg_Vst_ParamID id,
                                            Steinberg_Vst_TChar* text,
                                            Steinberg_Vst_ParamValue* value) {
    if (text == nullptr || value == nullptr || !isListedId(id)) return Steinberg_kInvalidArgument;
    const std::string typed = narrowText(text, 128);
    if (isCoreParameter(id)) {
        const std::optional<double> normalized = normalizedOfText(static_cast<int32_t>(id), typed);
        if (!normalized) return Steinberg_kResultFalse;
        *value = *normalized;
        return Steinberg_kResultOk;
    }
    if (isMeterParameter(id)) {
        const std::optional<double> normalized = meterNormalizedOfText(meterOf(id), typed);
        if (!normalized) return Steinberg_kResultFalse;
        *value = *normalized;
        return Steinberg_kResultOk;
    }
    if (id == kProgramParameter) {
        const ProgramBank factory;
        for (int32_t program = 0; program < kNumPrograms; ++program) {
            if (typed == factory[program].name) {
                *value = normalizedOfProgram(program);
                return Steinberg_kResultOk;
            }
        }
        return Steinberg_kResultFalse;
    }
    for (int on = 0; on < 2; ++on) {
        if (typed == kSwitchTexts[on]) {
            *value = on;
            return Steinberg_kResultOk;
        }
    }
    return Steinberg_kResultFalse;
}

Steinberg_Vst_ParamValue Controller::toPlain(void*, Steinberg_Vst_ParamID id,
                                             Steinberg_Vst_ParamValue value) {
    if (isCoreParameter(id)) return plainOf(static_cast<int32_t>(id), value);
    if (isMeterParameter(id)) return meterDbOf(meterOf(id), value);
    if (id == kProgramParameter) return programOf(value);
    return value >= 0.5 ? 1.0 : 0.0;
}

Steinberg_Vst_ParamValue Controller::toNormalized(void*, Steinberg_Vst_ParamID id,
                                                  Steinberg_Vst_ParamValue plain) {
    if (isCoreParameter(id)) return normalizedOfPlain(static_cast<int32_t>(id), plain);
    if (isMeterParameter(id)) return meterNormalizedOfDb(meterOf(id), plain);
    if (id == kProgramParameter)
        return normalizedOfProgram(
            std::isnan(plain) ? 0 : static_cast<int32_t>(std::clamp(std::round(plain), 0.0, 17.0)));
    return plain >= 0.5 ? 1.0 : 0.0;
}

Steinberg_Vst_ParamValue Controller::normalized(void* face, Steinberg_Vst_ParamID id) {
    return ownerOf<Controller>(face).normalizedValue(id);
}

Steinberg_tresult Controller::setNormalized(void* face, Steinberg_Vst_ParamID id,
                                            Steinberg_Vst_ParamValue value) {
    return ownerOf<Controller>(face).setNormalizedValue(id, value) ? Steinberg_kResultOk
                                                                   : Steinberg_kInvalidArgument;
}

Steinberg_tresult Controller::setComponentHandler(void* face,
                                                  Steinberg_Vst_IComponentHandler* handler) {
    Controller& self = ownerOf<Controller>(face);
    if (handler == self.handler_) return Steinberg_kResultOk;
    self.dropHandler();
    self.handler_ = handler;
    if (handler != nullptr) call(handler, &Steinberg_Vst_IComponentHandlerVtbl::addRef);
    return Steinberg_kResultOk;
}

Steinberg_IPlugView* Controller::createView(void* face, Steinberg_FIDString name) {
    if (name == nullptr || std::strcmp(name, "editor") != 0) return nullptr;
    auto* view = new (std::nothrow) PlugView(ownerOf<Controller>(face));
    return view != nullptr ? view->view() : nullptr;
}

Steinberg_int32 Controller::unitCount(void*) {
    return kUnitCount;
}

Steinberg_tresult Controller::unitInfo(void*, Steinberg_int32 index, Steinberg_Vst_UnitInfo* info) {
    if (info == nullptr || index < 0 || index >= kUnitCount) return Steinberg_kInvalidArgument;
    *info = {};
    info->id = index;
    info->parentUnitId = index == kRootUnit ? Steinberg_Vst_kNoParentUnitId : kRootUnit;
    copyText(info->name, 128, kUnitNames[index]);
    info->programListId = index == kRootUnit ? kProgramList : Steinberg_Vst_kNoProgramListId;
    return Steinberg_kResultOk;
}

Steinberg_int32 Controller::programListCount(void*) {
    return 1;
}

Steinberg_tresult Controller::programListInfo(void*, Steinberg_int32 index,
                                              Steinberg_Vst_ProgramListInfo* info) {
    if (info == nullptr || index != 0) return Steinberg_kInvalidArgument;
    *info = {};
    info->id = kProgramList;
    copyText(info->name, 128, "Factory programs");
    info->programCount = kNumPrograms;
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::programName(void*, Steinberg_Vst_ProgramListID list,
                                          Steinberg_int32 program, Steinberg_Vst_String128 name) {
    if (name == nullptr || list != kProgramList || !ProgramBank::isProgramIndex(program))
        return Steinberg_kInvalidArgument;
    const ProgramBank factory;
    copyText(name, 128, factory[program].name);
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::programInfo(void*, Steinberg_Vst_ProgramListID, Steinberg_int32,
                                          Steinberg_Vst_CString, Steinberg_Vst_String128) {
    return Steinberg_kResultFalse;
}

Steinberg_tresult Controller::hasPitchNames(void*, Steinberg_Vst_ProgramListID, Steinberg_int32) {
    return Steinberg_kResultFalse;
}

Steinberg_tresult Controller::pitchName(void*, Steinberg_Vst_ProgramListID, Steinberg_int32,
                                        Steinberg_int16, Steinberg_Vst_String128) {
    return Steinberg_kResultFalse;
}

Steinberg_Vst_UnitID Controller::selectedUnit(void*) {
    return kRootUnit;
}

Steinberg_tresult Controller::selectUnit(void*, Steinberg_Vst_UnitID unit) {
    return unit >= 0 && unit < kUnitCount ? Steinberg_kResultOk : Steinberg_kInvalidArgument;
}

Steinberg_tresult Controller::unitByBus(void*, Steinberg_Vst_MediaType, Steinberg_Vst_BusDirection,
                                        Steinberg_int32, Steinberg_int32,
                                        Steinberg_Vst_UnitID* unit) {
    if (unit == nullptr) return Steinberg_kInvalidArgument;
    *unit = kRootUnit;
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::setProgramData(void*, Steinberg_int32, Steinberg_int32,
                                             Steinberg_IBStream*) {
    return Steinberg_kNotImplemented;
}

Steinberg_tresult Controller::connect(void* face, Steinberg_Vst_IConnectionPoint* other) {
    Controller& self = ownerOf<Controller>(face);
    if (other == nullptr) return Steinberg_kInvalidArgument;
    if (self.peer_ != nullptr) return Steinberg_kResultFalse;
    self.peer_ = other;
    call(other, &Steinberg_Vst_IConnectionPointVtbl::addRef);
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::disconnect(void* face, Steinberg_Vst_IConnectionPoint* other) {
    Controller& self = ownerOf<Controller>(face);
    if (other == nullptr || other != self.peer_) return Steinberg_kResultFalse;
    self.dropPeer();
    return Steinberg_kResultOk;
}

Steinberg_tresult Controller::notify(void* face, Steinberg_Vst_IMessage* message) {
    if (message == nullptr) return Steinberg_kInvalidArgument;
    if (!isMessage(message, kFeed)) return Steinberg_kResultFalse;
    const std::optional<DisplayFeedValues> feed = readFeed(message);
    if (!feed) return Steinberg_kResultFalse;
    mirrorFeed(ownerOf<Controller>(face).model_, *feed);
    return Steinberg_kResultOk;
}

double Controller::normalizedValue(Steinberg_Vst_ParamID id) const {
    if (isCoreParameter(id)) {
        const auto index = static_cast<int32_t>(id);
        return vst3::normalizedOf(index, model_.storedValue(index));
    }
    if (id == kProgramParameter) return normalizedOfProgram(model_.program());
    if (id == kHostBypassParameter) return hostBypass_;
    if (isMeterParameter(id)) return meters_[meterOf(id)];
    return 0.0;
}

bool Controller::setNormalizedValue(Steinberg_Vst_ParamID id, double value) {
    if (!isListedId(id)) return false;
    if (id == kHostBypassParameter) {
        hostBypass_ = value >= 0.5 ? 1.0 : 0.0;
        return true;
    }
    // The host hands on what the processor reported; nothing else moves.
    if (isMeterParameter(id)) {
        meters_[meterOf(id)] = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
        return true;
    }
    const EffectSettings before = settingsOf(model_);
    const int32_t delayBefore = model_.signalDelay();
    if (id == kProgramParameter) {
        const int32_t program = programOf(value);
        if (program == model_.program()) return true;
        selectProgramValues(model_, factorySettings(model_, program));
    } else {
        model_.setParameter(static_cast<int32_t>(id), coreValueOf(static_cast<int32_t>(id), value));
    }
    // A program moves every value; under Normalize the limiter threshold
    // moves Output; LookAhead moves the latency.
    Steinberg_int32 flags = 0;
    for (int32_t index = 0; index < kNumParameters; ++index) {
        if (index != static_cast<int32_t>(id) && model_.storedValue(index) != before.stored[index])
            flags |= Steinberg_Vst_RestartFlags_kParamValuesChanged;
    }
    if (model_.signalDelay() != delayBefore) flags |= Steinberg_Vst_RestartFlags_kLatencyChanged;
    restart(flags);
    return true;
}

void Controller::edit(Edit kind, Steinberg_Vst_ParamID id, double normalized) {
    if (handler_ == nullptr) return;
    switch (kind) {
        case Edit::Begin:
            call(handler_, &Steinberg_Vst_IComponentHandlerVtbl::beginEdit, id);
            break;
        case Edit::Perform:
            call(handler_, &Steinberg_Vst_IComponentHandlerVtbl::performEdit, id, normalized);
            break;
        case Edit::End:
            call(handler_, &Steinberg_Vst_IComponentHandlerVtbl::endEdit, id);
            break;
    }
}

void Controller::requestFeed() {
    send(peer_, newMessage(host_, kFeedRequest));
}

void Controller::sendSettings() {
    Steinberg_Vst_IMessage* message = newMessage(host_, kSettings);
    writeSettingsMessage(message, model_.normalizeTarget(), model_.dcRemoval());
    send(peer_, message);
}

void Controller::restart(Steinberg_int32 flags) {
    if (flags != 0 && handler_ != nullptr)
        call(handler_, &Steinberg_Vst_IComponentHandlerVtbl::restartComponent, flags);
}

void Controller::dropHandler() {
    if (handler_ == nullptr) return;
    call(handler_, &Steinberg_Vst_IComponentHandlerVtbl::release);
    handler_ = nullptr;
}

void Controller::dropHost() {
    if (host_ == nullptr) return;
    call(host_, &Steinberg_Vst_IHostApplicationVtbl::release);
    host_ = nullptr;
}

void Controller::dropPeer() {
    if (peer_ == nullptr) return;
    call(peer_, &Steinberg_Vst_IConnectionPointVtbl::release);
    peer_ = nullptr;
}

}  // namespace velmorin::vst3
