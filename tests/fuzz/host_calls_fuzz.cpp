// A hostile host: the fuzzer's bytes become a sequence of calls on one effect
// through its interface record, in any order and with any values: every
// dispatcher request, parameters, programs, audio of any length and content
// in place or not, sample rate and block size, suspend and resume, and the
// editor on the headless window services with ticks and input messages.
// After the sequence the effect must still answer, and sane audio must come
// out finite within the look-ahead's recovery bound.
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/ad_editor.h"
#include "formats/vst2/adelay_edit.h"
#include "formats/vst2/vst2_editor.h"
#include "fuzz/fuzz_input.h"
#include "params/parameter_table.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "platform/window_messages.h"
#include "resources/embedded_bitmaps.h"

namespace {

using velmorin::ADEditor;
using velmorin::EditorPlatform;
using velmorin::ParameterIndex;
using velmorin::Vst2Editor;

constexpr int32_t kMaxFrames = 8192;
constexpr int32_t kLastOpcode = 80;  // a few past the last request a host knows

unsigned long long hostCallCount = 0;

intptr_t silentHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == 1 ? 2400 : 0;  // audioMasterVersion
}

// The services every editor of this process uses; they outlive the effects.
struct Services {
    Services() { std::filesystem::create_directories(folder); }
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "velmorin-fuzz-preferences";
    platform::HeadlessWindows windows;
    platform::SoftGraphics graphics{velmorin::findEmbeddedBitmap};
    platform::FilePreferenceStore preferences{folder / "preferences"};
    EditorPlatform platform{graphics, windows, preferences};
};

Services& services() {
    static Services s;
    return s;
}

AEffect* newEffect() {
    auto* effect = new ADelayEdit(
        silentHost, [](ADelayEdit& e) { return new Vst2Editor(e, services().platform); });
    return effect->getAeffect();
}

class HostileHost {
  public:
    explicit HostileHost(FuzzInput& in) : in_(in), effect_(newEffect()) {}
    ~HostileHost() {
        if (effect_) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
        services().windows.destroyChildrenOf(&hostWindow_);
    }

    void runSequence() {
        while (!in_.done()) {
            ++hostCallCount;
            switch (in_.byte() % 10) {
                case 0:
                case 1:
                    dispatch();
                    break;
                case 2:
                    effect_->setParameter(effect_, in_.anyIndex(31), in_.anyFloat());
                    break;
                case 3:
                    (void)effect_->getParameter(effect_, in_.anyIndex(31));
                    break;
                case 4:
                case 5:
                    process();
                    break;
                case 6:
                    effect_->dispatcher(effect_, effSetProgram, 0, in_.anyIndex(18), nullptr, 0);
                    break;
                case 7:
                    effect_->dispatcher(effect_, effSetSampleRate, 0, 0, nullptr, in_.anyFloat());
                    break;
                case 8:
                    effect_->dispatcher(effect_, effMainsChanged, 0, in_.byte() % 2, nullptr, 0);
                    break;
                default:
                    editorCall();
                    break;
            }
        }
    }

    // The effect still answers, and sane audio comes out finite once the
    // look-ahead stages have passed whatever the sequence left in them.
    void check() {
        char text[kTextSize] = {};
        for (int32_t index = 0; index < 31; ++index) {
            (void)effect_->getParameter(effect_, index);
            effect_->dispatcher(effect_, effGetParamDisplay, index, 0, text, 0);
        }
        effect_->dispatcher(effect_, effGetProgramName, 0, 0, text, 0);
        std::vector<float> left(512), right(512);
        float* io[2] = {left.data(), right.data()};
        for (int32_t block = 0; block < 8; ++block) {
            for (int32_t n = 0; n < 512; ++n) {
                left[n] = 0.5f * std::sin(0.05f * static_cast<float>(n));
                right[n] = 0.25f * std::sin(0.11f * static_cast<float>(n));
            }
            effect_->processReplacing(effect_, io, io, 512);
        }
        for (int32_t n = 0; n < 512; ++n) {
            if (!std::isfinite(left[n]) || !std::isfinite(right[n])) std::abort();
        }
    }

  private:
    static constexpr size_t kTextSize = 256;  // more than any text request promises

    void dispatch() {
        const int32_t opcode =
            in_.byte() % 8 == 0 ? in_.raw<int32_t>() : static_cast<int32_t>(in_.below(kLastOpcode));
        const int32_t index = in_.anyIndex(31);
        intptr_t value = in_.byte() % 2 ? in_.raw<int32_t>() : in_.anyIndex(18);
        const float opt = in_.anyFloat();
        void* ptr = text_;
        std::memset(text_, 0, sizeof text_);
        for (size_t i = 0; i < 40; ++i) text_[i] = static_cast<char>(in_.byte());

        void* arrangement[2] = {};
        ERect* rect = nullptr;
        switch (opcode) {
            case effClose:
                effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
                effect_ = newEffect();
                return;
            case effEditOpen:
                ptr = &hostWindow_;
                break;
            case effEditGetRect:
                ptr = &rect;
                break;
            case effGetSpeakerArrangement:
                value = reinterpret_cast<intptr_t>(&arrangement[0]);
                ptr = &arrangement[1];
                break;
            case effProcessEvents:
            case effSetSpeakerArrangement:
            case effGetParameterProperties:
            case effGetChunk:
            case effSetChunk:
                // Structures the effect does not support; a zeroed block stands in.
                break;
            default:
                if (in_.byte() % 16 == 0) ptr = nullptr;
                break;
        }
        effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    }

    void process() {
        const int32_t frames = static_cast<int32_t>(in_.below(kMaxFrames + 1));
        const uint8_t shape = in_.byte();
        for (int32_t ch = 0; ch < 2; ++ch) {
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
        float* inputs[2] = {input_[0].data(), input_[1].data()};
        float* outputs[2] = {output_[0].data(), output_[1].data()};
        if (shape & 0x80) {
            effect_->processReplacing(effect_, inputs, inputs, frames);
        } else {
            effect_->processReplacing(effect_, inputs, outputs, frames);
        }
    }

    void editorCall() {
        platform::HeadlessWindows& windows = services().windows;
        ERect* rect = nullptr;
        switch (in_.byte() % 10) {
            case 0:
                effect_->dispatcher(effect_, effEditOpen, 0, 0, &hostWindow_, 0);
                break;
            case 1:
                effect_->dispatcher(effect_, effEditClose, 0, 0, nullptr, 0);
                break;
            case 2:
                effect_->dispatcher(effect_, effEditIdle, 0, 0, nullptr, 0);
                effect_->dispatcher(effect_, effEditGetRect, 0, 0, &rect, 0);
                break;
            case 3:
            case 4:
                windows.advance(in_.below(2000));  // timer ticks and the posted display ticks
                break;
            case 5:
                windows.chooseMenuCommand(static_cast<uint16_t>(40000 + in_.below(40)));
                break;
            case 6:
                typeInto(static_cast<ParameterIndex>(in_.below(31)));
                break;
            default: {
                ADEditor* editor = &static_cast<Vst2Editor*>(effectObject()->getEditor())->editor();
                if (!editor || !editor->view().window) break;
                static constexpr uint32_t kMessages[] = {
                    platform::kMsgMouseMove,    platform::kMsgLeftButtonDown,
                    platform::kMsgLeftButtonUp, platform::kMsgContextMenu,
                    platform::kMsgCommand,      platform::kMsgPaint,
                    platform::kMsgTimer,        platform::kMsgUser + 5,
                };
                const uint32_t message = kMessages[in_.below(std::size(kMessages))];
                // Points inside the 654 x 431 client area most of the time.
                const auto x =
                    static_cast<int16_t>(in_.byte() % 8 ? in_.below(660) : in_.raw<int16_t>());
                const auto y =
                    static_cast<int16_t>(in_.byte() % 8 ? in_.below(440) : in_.raw<int16_t>());
                const std::intptr_t point =
                    (static_cast<uint16_t>(y) << 16) | static_cast<uint16_t>(x);
                const std::uintptr_t wParam =
                    message == platform::kMsgCommand ? 40000 + in_.below(40) : in_.raw<uint16_t>();
                windows.send(editor->view().window, message, wParam, point);
                windows.dispatchPostedMessages();
                break;
            }
        }
    }

    // Any text, typed into a parameter's value box (when one is open), with or
    // without the Enter that commits it.
    void typeInto(ParameterIndex parameter) {
        ADEditor* editor = &static_cast<Vst2Editor*>(effectObject()->getEditor())->editor();
        if (!editor || !editor->view().window) return;
        const platform::WindowHandle box = editor->view().controls.valueBox(parameter);
        if (!box || !services().windows.isWindow(box)) return;
        std::string text;
        for (uint32_t n = in_.below(24); n > 0; --n) text += static_cast<char>(in_.byte());
        if (in_.byte() % 2) text += "\r\n";
        services().windows.type(box, text);
        services().windows.dispatchPostedMessages();
    }

    ADelayEdit* effectObject() const { return static_cast<ADelayEdit*>(effect_->object); }

    FuzzInput& in_;
    AEffect* effect_;
    int hostWindow_ = 0;
    char text_[kTextSize] = {};
    std::array<std::array<float, kMaxFrames>, 2> input_{};
    std::array<std::array<float, kMaxFrames>, 2> output_{};
};

}  // namespace

unsigned long long fuzzWorkCount() {
    return hostCallCount;
}
const char* fuzzWorkName() {
    return "host calls";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    auto host = std::make_unique<HostileHost>(in);
    host->runSequence();
    host->check();
    return 0;
}
