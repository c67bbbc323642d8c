// One CLAP instance: the core effect behind a clap_plugin_t. It translates
// the host's lifecycle, events, state and preset calls into the core's; the
// extension tables (clap_extensions.cpp) call in here.
#pragma once

#include <clap/plugin.h>
#include <clap/stream.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/effect.h"
#include "formats/clap/gesture_queue.h"
#include "formats/clap/host_services.h"
#include "formats/clap/told_values.h"

namespace velmorin::clap_format {

class ClapEffect {
  public:
    // Whatever the gui extension keeps for the instance; it goes first when
    // the instance goes, as it refers to the rest.
    struct EditorState {
        virtual ~EditorState() = default;
    };

    ClapEffect(const clap_plugin_descriptor_t& descriptor, const clap_host_t& host);
    ClapEffect(const ClapEffect&) = delete;
    ClapEffect& operator=(const ClapEffect&) = delete;

    const clap_plugin_t* plugin() const { return &plugin_; }
    static ClapEffect& of(const clap_plugin_t* plugin) {
        return *static_cast<ClapEffect*>(plugin->plugin_data);
    }

    const HostServices& host() const { return host_; }
    const Effect& effect() const { return effect_; }
    Effect& effect() { return effect_; }
    GestureQueue& gestures() { return gestures_; }
    std::unique_ptr<EditorState>& editorState() { return editor_; }

    clap_process_status process(const clap_process_t& process);
    // Parameter events outside processing: applied at once; the editor's
    // queued gestures go out.
    void flush(const clap_input_events_t* events, const clap_output_events_t* out);
    bool saveState(const clap_ostream_t& stream) const;
    // A stream that cannot be read leaves the instance as it was.
    bool loadState(const clap_istream_t& stream);
    bool loadPreset(uint32_t locationKind, const char* location, const char* loadKey);
    // While active, the latency the host was told at activation.
    uint32_t latency() const;
    uint32_t tail() const;

  private:
    static bool init(const clap_plugin_t* plugin);
    static void destroy(const clap_plugin_t* plugin);
    static bool activate(const clap_plugin_t* plugin, double sampleRate, uint32_t, uint32_t);
    static void deactivate(const clap_plugin_t* plugin);
    static bool startProcessing(const clap_plugin_t* plugin);
    static void stopProcessing(const clap_plugin_t* plugin);
    static void reset(const clap_plugin_t* plugin);
    static clap_process_status processEntry(const clap_plugin_t* plugin,
                                            const clap_process_t* process);
    static const void* extension(const clap_plugin_t* plugin, const char* id);
    static void onMainThread(const clap_plugin_t* plugin);

    void applyEvents(const clap_input_events_t* events, uint32_t from, uint32_t to);
    void applyEvent(const clap_event_header_t& event);
    void run(const clap_audio_buffer_t& in, const clap_audio_buffer_t& out, uint32_t offset,
             uint32_t frames);
    // After values changed: a new delay while active asks for a restart.
    void noticeLatency();
    void noticeTail();
    void afterMainThreadChange();

    Effect effect_;
    HostServices host_;
    float sampleRate_ = 44100.0f;
    std::atomic<bool> active_{false};
    int32_t latencyInForce_ = 0;
    int32_t latencyTold_ = -1;
    uint32_t tailTold_ = 0;
    std::atomic<bool> restartRequested_{false};
    GestureQueue gestures_;
    ToldValues told_;
    clap_plugin_t plugin_;
    std::unique_ptr<EditorState> editor_;
};

}  // namespace velmorin::clap_format
