// A hostile CLAP host: the fuzzer's bytes become a sequence of calls on one
// instance of the built Velmorin.clap, in the orders CLAP allows and with any
// values: activation at any sample rate and block limits, start and stop,
// blocks of any length whose events carry any parameter id and value (NaN and
// infinities included) and other event kinds, flushes, the state saved and
// loaded from any bytes, presets by any key, and value and text conversions
// with any text and buffer size. After the sequence every value must lie in
// its range and sane audio must come out finite.
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "clap/clap_test_host.h"
#include "fuzz/fuzz_input.h"
#include "params/parameter_table.h"

namespace {

constexpr uint32_t kMaxFrames = 8192;

unsigned long long hostCallCount = 0;

// Any event a host may send, its header's size true to its kind.
union AnyEvent {
    clap_event_header_t header;
    clap_event_param_value_t value;
    clap_event_param_gesture_t gesture;
    clap_event_param_mod_t modulation;
    clap_event_note_t note;
};

class EventQueue {
  public:
    EventQueue() {
        list_.ctx = this;
        list_.size = [](const clap_input_events_t* list) {
            return static_cast<uint32_t>(static_cast<const EventQueue*>(list->ctx)->events_.size());
        };
        list_.get = [](const clap_input_events_t* list, uint32_t index) {
            const auto& events = static_cast<const EventQueue*>(list->ctx)->events_;
            return index < events.size() ? &events[index].header : nullptr;
        };
    }
    void add(const AnyEvent& event) { events_.push_back(event); }
    const clap_input_events_t* list() const { return &list_; }

  private:
    std::vector<AnyEvent> events_;
    clap_input_events_t list_;
};

// Output events are taken, or refused when the host's queue is full.
bool acceptSome(const clap_output_events_t* list, const clap_event_header_t*) {
    return ++*static_cast<unsigned*>(list->ctx) % 5 != 0;
}

class HostileClapHost {
  public:
    explicit HostileClapHost(FuzzInput& in)
        : in_(in),
          plugin_(instance_.plugin()),
          params_(instance_.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)) {}
    ~HostileClapHost() { deactivate(); }

    void runSequence() {
        while (!in_.done()) {
            ++hostCallCount;
            switch (in_.byte() % 10) {
                case 0:
                    activate(anySampleRate(), in_.below(kMaxFrames + 1), in_.below(kMaxFrames + 1));
                    break;
                case 1:
                    deactivate();
                    break;
                case 2:
                    if (active_ && !processing_) processing_ = plugin_.start_processing(&plugin_);
                    break;
                case 3:
                    if (processing_) plugin_.stop_processing(&plugin_);
                    processing_ = false;
                    break;
                case 4:
                case 5:
                    process();
                    break;
                case 6:
                    flush();
                    break;
                case 7:
                    state();
                    break;
                default:
                    conversions();
                    break;
            }
        }
    }

    // Every value in its range, and sane audio finite once the look-ahead
    // stages have passed whatever the sequence left in them.
    void check() {
        for (uint32_t index = 0; index < params_.count(&plugin_); ++index) {
            clap_param_info_t info{};
            double value = 0.0;
            if (!params_.get_info(&plugin_, index, &info) ||
                !params_.get_value(&plugin_, info.id, &value))
                std::abort();
            // Output aside, which the normalizer may carry past the fader's
            // ends, and the hidden normalize gain, which is a gain it reached.
            const bool followsNormalizer =
                info.id == velmorin::kOutput || (info.flags & CLAP_PARAM_IS_HIDDEN);
            if (!followsNormalizer && !(value >= info.min_value && value <= info.max_value)) {
                std::fprintf(stderr, "%s is %g, outside %g to %g\n", info.name, value,
                             info.min_value, info.max_value);
                std::abort();
            }
        }
        deactivate();
        activate(44100.0, 1, 512);
        if (!active_ || !plugin_.start_processing(&plugin_)) std::abort();
        processing_ = true;
        std::vector<float> left(512), right(512);
        for (int block = 0; block < 8; ++block) {
            for (uint32_t n = 0; n < 512; ++n) {
                input_[0][n] = 0.5f * std::sin(0.05f * static_cast<float>(n));
                input_[1][n] = 0.25f * std::sin(0.11f * static_cast<float>(n));
            }
            if (run(512, EventQueue(), false) != CLAP_PROCESS_CONTINUE) std::abort();
        }
        for (uint32_t n = 0; n < 512; ++n) {
            if (!std::isfinite(output_[0][n]) || !std::isfinite(output_[1][n])) std::abort();
        }
    }

  private:
    double anySampleRate() {
        static constexpr double kRates[] = {44100.0, 48000.0, 96000.0, 192000.0, 8000.0,
                                            22050.0, 1.0,     0.0,     -44100.0, 1e12};
        return in_.byte() % 4 ? kRates[in_.below(std::size(kRates))] : in_.anyFloat();
    }

    void activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames) {
        if (active_) return;
        active_ = plugin_.activate(&plugin_, sampleRate, minFrames, maxFrames);
        maxFrames_ = maxFrames;
    }

    void deactivate() {
        if (processing_) plugin_.stop_processing(&plugin_);
        if (active_) plugin_.deactivate(&plugin_);
        processing_ = active_ = false;
    }

    // Parameter values at any id with any value, now and then another kind.
    EventQueue anyEvents(uint32_t frames) {
        EventQueue queue;
        for (uint32_t n = in_.below(12); n > 0; --n) {
            AnyEvent event{};
            const uint32_t time = in_.byte() % 8 ? in_.below(frames + 1) : in_.raw<uint32_t>();
            const auto id = static_cast<clap_id>(in_.anyIndex(31));
            const uint8_t kind = in_.byte() % 8;
            if (kind < 5) {
                event.value = {{sizeof(clap_event_param_value_t), time, CLAP_CORE_EVENT_SPACE_ID,
                                CLAP_EVENT_PARAM_VALUE, 0},
                               id,
                               nullptr,
                               -1,
                               -1,
                               -1,
                               -1,
                               in_.byte() % 2 ? in_.anyFloat() : in_.raw<double>()};
            } else if (kind == 5) {
                event.gesture = {
                    {sizeof(clap_event_param_gesture_t), time, CLAP_CORE_EVENT_SPACE_ID,
                     static_cast<uint16_t>(in_.byte() % 2 ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                          : CLAP_EVENT_PARAM_GESTURE_END),
                     0},
                    id};
            } else if (kind == 6) {
                event.modulation = {{sizeof(clap_event_param_mod_t), time, CLAP_CORE_EVENT_SPACE_ID,
                                     CLAP_EVENT_PARAM_MOD, 0},
                                    id,
                                    nullptr,
                                    -1,
                                    -1,
                                    -1,
                                    -1,
                                    in_.anyFloat()};
            } else {
                // A note, or an event of a space the plug-in does not know.
                event.note = {{sizeof(clap_event_note_t), time,
                               static_cast<uint16_t>(in_.byte() % 2 ? CLAP_CORE_EVENT_SPACE_ID
                                                                    : in_.raw<uint16_t>()),
                               CLAP_EVENT_NOTE_ON, 0},
                              -1,
                              0,
                              0,
                              60,
                              in_.anyFloat()};
            }
            queue.add(event);
        }
        return queue;
    }

    void process() {
        // CLAP promises no more than the frames the activation allowed.
        const uint32_t frames = in_.below((active_ ? maxFrames_ : kMaxFrames) + 1);
        const uint8_t shape = in_.byte();
        for (int ch = 0; ch < 2; ++ch) {
            for (uint32_t n = 0; n < frames; ++n) {
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
        run(frames, anyEvents(frames), shape & 0x80);
    }

    clap_process_status run(uint32_t frames, const EventQueue& events, bool inPlace) {
        float* inputs[2] = {input_[0].data(), input_[1].data()};
        float* outputs[2] = {output_[0].data(), output_[1].data()};
        clap_audio_buffer_t in{inputs, nullptr, 2, 0, 0};
        clap_audio_buffer_t out{inPlace ? inputs : outputs, nullptr, 2, 0, 0};
        unsigned sent = 0;
        const clap_output_events_t output = {&sent, acceptSome};
        const clap_process_t process = {-1, frames, nullptr,       &in,    &out,
                                        1,  1,      events.list(), &output};
        return plugin_.process(&plugin_, &process);
    }

    void flush() {
        unsigned sent = 0;
        const clap_output_events_t output = {&sent, acceptSome};
        const EventQueue events = anyEvents(0);
        params_.flush(&plugin_, in_.byte() % 8 ? events.list() : nullptr,
                      in_.byte() % 8 ? &output : nullptr);
    }

    void state() {
        switch (in_.byte() % 4) {
            case 0:
                saved_ = instance_.save();
                break;
            case 1:
                instance_.load(saved_);
                break;
            case 2: {
                std::vector<uint8_t> bytes(in_.below(200));
                for (uint8_t& byte : bytes) byte = in_.byte();
                instance_.load(bytes);
                break;
            }
            default: {
                // A saved state with some of its bytes changed.
                std::vector<uint8_t> bytes = instance_.save();
                for (uint32_t n = in_.below(6); n > 0 && !bytes.empty(); --n)
                    bytes[in_.below(static_cast<uint32_t>(bytes.size()))] = in_.byte();
                if (in_.byte() % 4 == 0)
                    bytes.resize(in_.below(static_cast<uint32_t>(bytes.size()) + 1));
                instance_.load(bytes);
                break;
            }
        }
    }

    std::string anyText() {
        static constexpr const char* kTexts[] = {"-18", "-18.5 dB", "4.0 : 1", "On",    "Off",
                                                 "nan", "inf",      "1e400",   "",      " 12 ",
                                                 "+24", "-0",       "0x10",    "12 dBx"};
        if (in_.byte() % 2) return kTexts[in_.below(std::size(kTexts))];
        std::string text;
        for (uint32_t n = in_.below(40); n > 0; --n) text += static_cast<char>(in_.byte());
        return text;
    }

    void conversions() {
        const auto id = static_cast<clap_id>(in_.anyIndex(31));
        std::array<char, CLAP_NAME_SIZE + 8> text{};
        double value = 0.0;
        switch (in_.byte() % 5) {
            case 0:
                params_.value_to_text(&plugin_, id,
                                      in_.byte() % 2 ? in_.anyFloat() : in_.raw<double>(),
                                      text.data(), in_.below(CLAP_NAME_SIZE + 1));
                break;
            case 1: {
                const std::string typed = anyText();
                params_.text_to_value(&plugin_, id, typed.c_str(), &value);
                break;
            }
            case 2:
                params_.get_value(&plugin_, id, &value);
                break;
            case 3: {
                clap_param_info_t info{};
                params_.get_info(&plugin_, in_.raw<uint32_t>() % 40, &info);
                break;
            }
            default: {
                const std::string key =
                    in_.byte() % 2 ? std::to_string(in_.anyIndex(18)) : anyText();
                const auto& presets =
                    instance_.extension<clap_plugin_preset_load_t>(CLAP_EXT_PRESET_LOAD);
                const uint32_t kind = in_.byte() % 4 ? CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN
                                                     : CLAP_PRESET_DISCOVERY_LOCATION_FILE;
                presets.from_location(&plugin_, kind, nullptr,
                                      in_.byte() % 8 ? key.c_str() : nullptr);
                break;
            }
        }
    }

    FuzzInput& in_;
    ClapInstance instance_;
    const clap_plugin_t& plugin_;
    const clap_plugin_params_t& params_;
    bool active_ = false;
    bool processing_ = false;
    uint32_t maxFrames_ = 0;
    std::vector<uint8_t> saved_;
    std::array<std::array<float, kMaxFrames>, 2> input_{};
    std::array<std::array<float, kMaxFrames>, 2> output_{};
};

}  // namespace

unsigned long long fuzzWorkCount() {
    return hostCallCount;
}
const char* fuzzWorkName() {
    return "CLAP calls";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    auto host = std::make_unique<HostileClapHost>(in);
    host->runSequence();
    host->check();
    return 0;
}
