// The audio processor class: the core effect behind IComponent,
// IAudioProcessor, IProcessContextRequirements and IConnectionPoint. It
// applies the hosts' parameter changes at their frames, keeps the state and
// passes the input through when the host bypasses it.
#pragma once

#include <vst3_c_api.h>

#include <vector>

#include "engine/display_feed.h"
#include "engine/effect.h"
#include "formats/vst3/host_bypass.h"
#include "formats/vst3/vst3_object.h"
#include "params/relaxed.h"

namespace velmorin::vst3 {

class Processor final : public Object {
  public:
    Processor();
    ~Processor() override;

    Steinberg_Vst_IComponent* component() { return component_.as<Steinberg_Vst_IComponent>(); }
    Effect& effect() { return effect_; }

  private:
    void* faceFor(const Steinberg_TUID iid) override;

    // IPluginBase and IComponent
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE initialize(void*, Steinberg_FUnknown*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE terminate(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE controllerClassId(void*, Steinberg_TUID);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setIoMode(void*, Steinberg_Vst_IoMode);
    static Steinberg_int32 SMTG_STDMETHODCALLTYPE busCount(void*, Steinberg_Vst_MediaType,
                                                           Steinberg_Vst_BusDirection);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE busInfo(void*, Steinberg_Vst_MediaType,
                                                            Steinberg_Vst_BusDirection,
                                                            Steinberg_int32,
                                                            Steinberg_Vst_BusInfo*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE routingInfo(void*, Steinberg_Vst_RoutingInfo*,
                                                                Steinberg_Vst_RoutingInfo*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE activateBus(void*, Steinberg_Vst_MediaType,
                                                                Steinberg_Vst_BusDirection,
                                                                Steinberg_int32, Steinberg_TBool);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setActive(void*, Steinberg_TBool);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setState(void*, Steinberg_IBStream*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE getState(void*, Steinberg_IBStream*);
    // IAudioProcessor
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE
    setArrangements(void*, Steinberg_Vst_SpeakerArrangement*, Steinberg_int32,
                    Steinberg_Vst_SpeakerArrangement*, Steinberg_int32);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE arrangement(void*, Steinberg_Vst_BusDirection,
                                                                Steinberg_int32,
                                                                Steinberg_Vst_SpeakerArrangement*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE canProcessSampleSize(void*, Steinberg_int32);
    static Steinberg_uint32 SMTG_STDMETHODCALLTYPE latencySamples(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setupProcessing(void*,
                                                                    Steinberg_Vst_ProcessSetup*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setProcessing(void*, Steinberg_TBool);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE processEntry(void*, Steinberg_Vst_ProcessData*);
    static Steinberg_uint32 SMTG_STDMETHODCALLTYPE tailSamples(void*);
    // IProcessContextRequirements
    static Steinberg_uint32 SMTG_STDMETHODCALLTYPE contextRequirements(void*);
    // IConnectionPoint
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE connect(void*, Steinberg_Vst_IConnectionPoint*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE disconnect(void*,
                                                               Steinberg_Vst_IConnectionPoint*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE notify(void*, Steinberg_Vst_IMessage*);

    Steinberg_tresult process(Steinberg_Vst_ProcessData& data);
    void runWithChanges(Steinberg_Vst_IParameterChanges* changes,
                        const Steinberg_Vst_ProcessData& data, bool audio);
    void applyChange(Steinberg_Vst_ParamID id, double normalized);
    void run(const Steinberg_Vst_ProcessData& data, int32_t offset, int32_t frames);
    void runPiece(const Steinberg_Vst_ProcessData& data, int32_t offset, int32_t frames);
    void dropPeer();
    void dropHost();

    Effect effect_;
    HostBypass bypass_;
    double sampleRate_ = 44100.0;
    int32_t maxFrames_ = 1024;
    bool active_ = false;
    int32_t latencyInForce_ = 0;
    Relaxed<int32_t> programChosen_{0};  // set by setState too
    std::vector<float> silence_;         // read for inputs the host flags silent
    LaneExtremes blockExtremes_;         // over the pieces of the host's block, for its meters
    Steinberg_Vst_IConnectionPoint* peer_ = nullptr;
    Steinberg_Vst_IHostApplication* host_ = nullptr;

    Face component_;
    Face processor_;
    Face requirements_;
    Face connection_;
};

}  // namespace velmorin::vst3
