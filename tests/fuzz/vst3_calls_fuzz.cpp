// A hostile VST3 host: the fuzzer's bytes become a sequence of calls on one
// processor and its controller from the built Velmorin.vst3, with any values:
// setup at any rate, block limit and sample size, activation and processing
// in any order, blocks of any length with parameter changes at any id,
// offset and value (NaN and infinities included), silence flags and missing
// buffers, bus arrangements of any kind, the state saved and loaded from any
// bytes into both, the controller's values, texts and units, and the editor's
// size and scale. After the sequence every normalized value must lie in 0..1
// and sane audio must come out finite.
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/vst3/vst3_identity.h"
#include "fuzz/fuzz_input.h"
#include "vst3/vst3_test_host.h"

using namespace vst3_test;

namespace {

constexpr int32_t kMaxFrames = 8192;

unsigned long long hostCallCount = 0;

class HostileVst3Host {
  public:
    explicit HostileVst3Host(FuzzInput& in) : in_(in), instance_(false) {}
    ~HostileVst3Host() { setActive(false); }

    void runSequence() {
        while (!in_.done()) {
            ++hostCallCount;
            switch (in_.byte() % 12) {
                case 0:
                    setup(anySampleRate(), static_cast<int32_t>(in_.raw<uint16_t>()) - 16,
                          in_.byte() % 8 ? Steinberg_Vst_SymbolicSampleSizes_kSample32
                                         : static_cast<int32_t>(in_.byte() % 3));
                    break;
                case 1:
                    setActive(in_.byte() % 2);
                    break;
                case 2:
                    call(instance_.processor(), &Steinberg_Vst_IAudioProcessorVtbl::setProcessing,
                         static_cast<Steinberg_TBool>(in_.byte() % 2));
                    break;
                case 3:
                case 4:
                    process();
                    break;
                case 5:
                    state();
                    break;
                case 6:
                    call(controller(), &Steinberg_Vst_IEditControllerVtbl::setParamNormalized,
                         anyId(), anyValue());
                    break;
                case 7:
                    conversions();
                    break;
                case 8:
                    buses();
                    break;
                case 9:
                    units();
                    break;
                default:
                    view();
                    break;
            }
        }
    }

    void check() {
        const Steinberg_int32 count =
            call(controller(), &Steinberg_Vst_IEditControllerVtbl::getParameterCount);
        for (Steinberg_int32 index = 0; index < count; ++index) {
            Steinberg_Vst_ParameterInfo info{};
            if (call(controller(), &Steinberg_Vst_IEditControllerVtbl::getParameterInfo, index,
                     &info) != Steinberg_kResultOk)
                std::abort();
            const double value =
                call(controller(), &Steinberg_Vst_IEditControllerVtbl::getParamNormalized, info.id);
            if (!(value >= 0.0 && value <= 1.0)) std::abort();
        }
        setActive(false);
        setup(44100.0, 512, Steinberg_Vst_SymbolicSampleSizes_kSample32);
        setActive(true);
        for (int block = 0; block < 8; ++block) {
            for (int32_t n = 0; n < 512; ++n) {
                input_[0][n] = 0.5f * std::sin(0.05f * static_cast<float>(n));
                input_[1][n] = 0.25f * std::sin(0.11f * static_cast<float>(n));
            }
            if (instance_.process(input_[0].data(), input_[1].data(), output_[0].data(),
                                  output_[1].data(), 512) != Steinberg_kResultOk)
                std::abort();
        }
        for (int32_t n = 0; n < 512; ++n) {
            if (!std::isfinite(output_[0][n]) || !std::isfinite(output_[1][n])) std::abort();
        }
    }

  private:
    Steinberg_Vst_IEditController* controller() const { return instance_.controller(); }

    double anySampleRate() {
        static constexpr double kRates[] = {44100.0, 48000.0, 96000.0, 192000.0, 8000.0,
                                            22050.0, 1.0,     0.0,     -44100.0, 1e12};
        return in_.byte() % 4 ? kRates[in_.below(std::size(kRates))] : in_.anyFloat();
    }
    // A parameter's id most of the time: the core's, the program, the bypass.
    Steinberg_Vst_ParamID anyId() {
        switch (in_.byte() % 8) {
            case 0:
                return velmorin::vst3::kProgramParameter;
            case 1:
                return velmorin::vst3::kHostBypassParameter;
            case 2:
                return in_.raw<uint32_t>();
            default:
                return static_cast<Steinberg_Vst_ParamID>(in_.below(31));
        }
    }
    double anyValue() {
        return in_.byte() % 2 ? static_cast<double>(in_.anyFloat()) : in_.raw<double>();
    }

    void setup(double rate, int32_t block, int32_t sampleSize) {
        Steinberg_Vst_ProcessSetup setup{in_.byte() % 2, sampleSize, block, rate};
        if (call(instance_.processor(), &Steinberg_Vst_IAudioProcessorVtbl::setupProcessing,
                 &setup) == Steinberg_kResultOk)
            maxFrames_ = block;
    }

    void setActive(bool on) {
        call(instance_.component(), &Steinberg_Vst_IComponentVtbl::setActive,
             static_cast<Steinberg_TBool>(on));
    }

    void process() {
        const int32_t frames = static_cast<int32_t>(in_.below(kMaxFrames + 1));
        const uint8_t shape = in_.byte();
        for (int ch = 0; ch < 2; ++ch) {
            for (int32_t n = 0; n < frames; ++n) {
                float& s = input_[ch][n];
                switch ((shape >> (2 * ch)) % 4) {
                    case 0:
                        s = 0.9f * std::sin(0.01f * static_cast<float>(n * (ch + 1)));
                        break;
                    case 1:
                        s = n % 64 == 0 ? in_.anyFloat() : 1e-39f;  // denormal bed
                        break;
                    case 2:
                        s = 0.0f;
                        break;
                    default:
                        s = n < 256 ? in_.anyFloat() : static_cast<float>(n % 7) * 0.3f - 0.9f;
                        break;
                }
            }
        }
        auto* changes = new ParameterChanges;
        for (uint32_t n = in_.below(12); n > 0; --n) {
            const int32_t offset =
                in_.byte() % 8 ? static_cast<int32_t>(in_.below(frames + 1)) : in_.raw<int32_t>();
            changes->add(anyId(), offset, anyValue());
        }
        float* inputs[2] = {input_[0].data(), input_[1].data()};
        float* outputs[2] = {output_[0].data(), output_[1].data()};
        Steinberg_Vst_AudioBusBuffers in{}, out{};
        in.numChannels = out.numChannels = in_.byte() % 8 ? 2 : in_.byte() % 3;
        in.silenceFlags = in_.byte() % 4 ? 0 : in_.raw<uint64_t>();
        in.Steinberg_Vst_AudioBusBuffers_channelBuffers32 = inputs;
        out.Steinberg_Vst_AudioBusBuffers_channelBuffers32 = shape & 0x80 ? inputs : outputs;
        Steinberg_Vst_ProcessData data{};
        data.processMode = in_.byte() % 2;
        data.symbolicSampleSize =
            in_.byte() % 8 ? Steinberg_Vst_SymbolicSampleSizes_kSample32 : in_.byte() % 3;
        data.numSamples = frames;
        const uint8_t buses = in_.byte();
        data.numInputs = buses % 4 ? 1 : buses % 3;
        data.numOutputs = buses % 5 ? 1 : buses % 3;
        data.inputs = buses & 0x40 ? nullptr : &in;
        data.outputs = buses & 0x20 ? nullptr : &out;
        data.inputParameterChanges = in_.byte() % 8 ? changes->changes() : nullptr;
        auto* reported = new ParameterChanges;  // the meters go here
        data.outputParameterChanges = reported->changes();
        call(instance_.processor(), &Steinberg_Vst_IAudioProcessorVtbl::process, &data);
        changes->release();
        reported->release();
    }

    void load(const std::vector<uint8_t>& bytes) {
        if (in_.byte() % 2) {
            instance_.setState(bytes, 1 + static_cast<int32_t>(in_.below(64)));
        } else {
            instance_.setControllerState(bytes);
        }
    }

    void state() {
        switch (in_.byte() % 4) {
            case 0:
                saved_ = instance_.state();
                break;
            case 1:
                load(saved_);
                break;
            case 2: {
                std::vector<uint8_t> bytes(in_.below(200));
                for (uint8_t& byte : bytes) byte = in_.byte();
                load(bytes);
                break;
            }
            default: {
                // A saved state with some of its bytes changed.
                std::vector<uint8_t> bytes = instance_.state();
                for (uint32_t n = in_.below(6); n > 0 && !bytes.empty(); --n)
                    bytes[in_.below(static_cast<uint32_t>(bytes.size()))] = in_.byte();
                if (in_.byte() % 4 == 0)
                    bytes.resize(in_.below(static_cast<uint32_t>(bytes.size()) + 1));
                load(bytes);
                break;
            }
        }
    }

    std::string anyText() {
        static constexpr const char* kTexts[] = {"-18", "-18.5 dB", "4.0 : 1", "On",   "Off",
                                                 "nan", "inf",      "1e400",   "",     " 12 ",
                                                 "+24", "-0",       "Heavy",   "Init", "12 dBx"};
        if (in_.byte() % 2) return kTexts[in_.below(std::size(kTexts))];
        std::string text;
        for (uint32_t n = in_.below(140); n > 0; --n) text += static_cast<char>(in_.byte());
        return text;
    }

    void conversions() {
        const Steinberg_Vst_ParamID id = anyId();
        Steinberg_Vst_String128 text{};
        double value = 0.0;
        switch (in_.byte() % 5) {
            case 0:
                call(controller(), &Steinberg_Vst_IEditControllerVtbl::getParamStringByValue, id,
                     anyValue(), text);
                break;
            case 1: {
                // Typed text up to the field's end, not always terminated.
                const std::string typed = anyText();
                for (size_t i = 0; i < typed.size() && i < 128; ++i)
                    text[i] = static_cast<unsigned char>(typed[i]);
                call(controller(), &Steinberg_Vst_IEditControllerVtbl::getParamValueByString, id,
                     text, &value);
                break;
            }
            case 2:
                call(controller(), &Steinberg_Vst_IEditControllerVtbl::normalizedParamToPlain, id,
                     anyValue());
                break;
            case 3:
                call(controller(), &Steinberg_Vst_IEditControllerVtbl::plainParamToNormalized, id,
                     anyValue());
                break;
            default: {
                Steinberg_Vst_ParameterInfo info{};
                call(controller(), &Steinberg_Vst_IEditControllerVtbl::getParameterInfo,
                     in_.raw<int32_t>() % 40, &info);
                break;
            }
        }
    }

    void buses() {
        std::array<Steinberg_Vst_SpeakerArrangement, 3> ins{}, outs{};
        for (auto& arrangement : ins) arrangement = in_.byte() % 2 ? 3 : in_.raw<uint64_t>();
        for (auto& arrangement : outs) arrangement = in_.byte() % 2 ? 3 : in_.raw<uint64_t>();
        const auto type = static_cast<Steinberg_Vst_MediaType>(in_.byte() % 3);
        const auto direction = static_cast<Steinberg_Vst_BusDirection>(in_.byte() % 3);
        const auto index = static_cast<Steinberg_int32>(in_.raw<int8_t>());
        Steinberg_Vst_BusInfo bus{};
        Steinberg_Vst_SpeakerArrangement arrangement = 0;
        switch (in_.byte() % 4) {
            case 0:
                call(instance_.processor(), &Steinberg_Vst_IAudioProcessorVtbl::setBusArrangements,
                     ins.data(), static_cast<Steinberg_int32>(in_.below(4)), outs.data(),
                     static_cast<Steinberg_int32>(in_.below(4)));
                break;
            case 1:
                call(instance_.component(), &Steinberg_Vst_IComponentVtbl::getBusInfo, type,
                     direction, index, &bus);
                break;
            case 2:
                call(instance_.processor(), &Steinberg_Vst_IAudioProcessorVtbl::getBusArrangement,
                     direction, index, &arrangement);
                break;
            default:
                call(instance_.component(), &Steinberg_Vst_IComponentVtbl::activateBus, type,
                     direction, index, static_cast<Steinberg_TBool>(in_.byte() % 2));
                break;
        }
    }

    void units() {
        auto* units = queryAs<Steinberg_Vst_IUnitInfo>(controller(), Steinberg_Vst_IUnitInfo_iid);
        Steinberg_Vst_UnitInfo unit{};
        Steinberg_Vst_ProgramListInfo list{};
        Steinberg_Vst_String128 name{};
        const auto listId = static_cast<Steinberg_int32>(in_.byte() % 4 ? 1 : in_.raw<int32_t>());
        const auto index = static_cast<Steinberg_int32>(in_.raw<int8_t>());
        switch (in_.byte() % 3) {
            case 0:
                call(units, &Steinberg_Vst_IUnitInfoVtbl::getUnitInfo, index, &unit);
                break;
            case 1:
                call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramListInfo, index, &list);
                break;
            default:
                call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramName, listId, index, name);
                break;
        }
        call(units, &Steinberg_Vst_IUnitInfoVtbl::release);
    }

    void view() {
        Steinberg_IPlugView* view =
            call(controller(), &Steinberg_Vst_IEditControllerVtbl::createView, "editor");
        if (view == nullptr) return;
        auto* scale = queryAs<Steinberg_IPlugViewContentScaleSupport>(
            view, Steinberg_IPlugViewContentScaleSupport_iid);
        for (uint32_t n = in_.below(4); n > 0; --n) {
            Steinberg_ViewRect rect{in_.raw<int32_t>(), in_.raw<int32_t>(), in_.raw<int32_t>(),
                                    in_.raw<int32_t>()};
            switch (in_.byte() % 4) {
                case 0:
                    call(scale, &Steinberg_IPlugViewContentScaleSupportVtbl::setContentScaleFactor,
                         in_.anyFloat());
                    break;
                case 1:
                    call(view, &Steinberg_IPlugViewVtbl::onSize, &rect);
                    break;
                case 2:
                    call(view, &Steinberg_IPlugViewVtbl::checkSizeConstraint, &rect);
                    break;
                default:
                    call(view, &Steinberg_IPlugViewVtbl::getSize, &rect);
                    break;
            }
        }
        call(scale, &Steinberg_IPlugViewContentScaleSupportVtbl::release);
        call(view, &Steinberg_IPlugViewVtbl::release);
    }

    FuzzInput& in_;
    Instance instance_;
    int32_t maxFrames_ = 512;
    std::vector<uint8_t> saved_;
    std::array<std::array<float, kMaxFrames>, 2> input_{};
    std::array<std::array<float, kMaxFrames>, 2> output_{};
};

}  // namespace

unsigned long long fuzzWorkCount() {
    return hostCallCount;
}
const char* fuzzWorkName() {
    return "VST3 calls";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    auto host = std::make_unique<HostileVst3Host>(in);
    host->runSequence();
    host->check();
    return 0;
}
