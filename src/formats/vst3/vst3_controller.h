// The edit controller class: the parameters as hosts list, show and set
// them, the units and the factory program list, behind IEditController,
// IUnitInfo and IConnectionPoint. It keeps an effect of its own as the model
// of the settings and never reads the processor's memory: the host brings
// it the processor's state (setComponentState) and every parameter change.
#pragma once

#include <vst3_c_api.h>

#include "engine/effect.h"
#include "engine/meter_figures.h"
#include "formats/vst3/vst3_object.h"

namespace velmorin::vst3 {

class Controller final : public Object {
  public:
    Controller();
    ~Controller() override;

    Steinberg_Vst_IEditController* controller() {
        return controller_.as<Steinberg_Vst_IEditController>();
    }

    // For the editor (Vst3Controls): the model it edits, the host's edits,
    // and the messages to the processor.
    Effect& model() { return model_; }
    enum class Edit { Begin, Perform, End };
    void edit(Edit kind, Steinberg_Vst_ParamID id, double normalized = 0.0);
    void requestFeed();
    void sendSettings();

  private:
    void* faceFor(const Steinberg_TUID iid) override;

    // IPluginBase and IEditController
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE initialize(void*, Steinberg_FUnknown*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE terminate(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setComponentState(void*, Steinberg_IBStream*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setState(void*, Steinberg_IBStream*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE getState(void*, Steinberg_IBStream*);
    static Steinberg_int32 SMTG_STDMETHODCALLTYPE parameterCount(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE parameterInfo(void*, Steinberg_int32,
                                                                  Steinberg_Vst_ParameterInfo*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE stringByValue(void*, Steinberg_Vst_ParamID,
                                                                  Steinberg_Vst_ParamValue,
                                                                  Steinberg_Vst_String128);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE valueByString(void*, Steinberg_Vst_ParamID,
                                                                  Steinberg_Vst_TChar*,
                                                                  Steinberg_Vst_ParamValue*);
    static Steinberg_Vst_ParamValue SMTG_STDMETHODCALLTYPE toPlain(void*, Steinberg_Vst_ParamID,
                                                                   Steinberg_Vst_ParamValue);
    static Steinberg_Vst_ParamValue SMTG_STDMETHODCALLTYPE toNormalized(void*,
                                                                        Steinberg_Vst_ParamID,
                                                                        Steinberg_Vst_ParamValue);
    static Steinberg_Vst_ParamValue SMTG_STDMETHODCALLTYPE normalized(void*, Steinberg_Vst_ParamID);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setNormalized(void*, Steinberg_Vst_ParamID,
                                                                  Steinberg_Vst_ParamValue);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE
    setComponentHandler(void*, Steinberg_Vst_IComponentHandler*);
    static Steinberg_IPlugView* SMTG_STDMETHODCALLTYPE createView(void*, Steinberg_FIDString);
    // IUnitInfo
    static Steinberg_int32 SMTG_STDMETHODCALLTYPE unitCount(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE unitInfo(void*, Steinberg_int32,
                                                             Steinberg_Vst_UnitInfo*);
    static Steinberg_int32 SMTG_STDMETHODCALLTYPE programListCount(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE programListInfo(void*, Steinberg_int32,
                                                                    Steinberg_Vst_ProgramListInfo*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE programName(void*, Steinberg_Vst_ProgramListID,
                                                                Steinberg_int32,
                                                                Steinberg_Vst_String128);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE programInfo(void*, Steinberg_Vst_ProgramListID,
                                                                Steinberg_int32,
                                                                Steinberg_Vst_CString,
                                                                Steinberg_Vst_String128);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE hasPitchNames(void*,
                                                                  Steinberg_Vst_ProgramListID,
                                                                  Steinberg_int32);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE pitchName(void*, Steinberg_Vst_ProgramListID,
                                                              Steinberg_int32, Steinberg_int16,
                                                              Steinberg_Vst_String128);
    static Steinberg_Vst_UnitID SMTG_STDMETHODCALLTYPE selectedUnit(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE selectUnit(void*, Steinberg_Vst_UnitID);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE unitByBus(void*, Steinberg_Vst_MediaType,
                                                              Steinberg_Vst_BusDirection,
                                                              Steinberg_int32, Steinberg_int32,
                                                              Steinberg_Vst_UnitID*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setProgramData(void*, Steinberg_int32,
                                                                   Steinberg_int32,
                                                                   Steinberg_IBStream*);
    // IConnectionPoint
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE connect(void*, Steinberg_Vst_IConnectionPoint*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE disconnect(void*,
                                                               Steinberg_Vst_IConnectionPoint*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE notify(void*, Steinberg_Vst_IMessage*);

    double normalizedValue(Steinberg_Vst_ParamID id) const;
    bool setNormalizedValue(Steinberg_Vst_ParamID id, double value);
    // Asks the host to read what a change has moved besides itself.
    void restart(Steinberg_int32 flags);
    void dropHandler();
    void dropPeer();
    void dropHost();

    Effect model_;
    double hostBypass_ = 0.0;
    double meters_[kNumMeterOutputs];  // normalized, as the host last handed them on
    Steinberg_Vst_IComponentHandler* handler_ = nullptr;
    Steinberg_Vst_IConnectionPoint* peer_ = nullptr;
    Steinberg_Vst_IHostApplication* host_ = nullptr;

    Face controller_;
    Face units_;
    Face connection_;
};

}  // namespace velmorin::vst3
