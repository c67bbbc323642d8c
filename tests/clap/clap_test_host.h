// A CLAP host of our own for the tests: loads the built Velmorin.clap with
// dlopen (LoadLibrary on Windows), counts what the plug-in asks of it and
// drives one instance.
#pragma once

#include <clap/clap.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

// The module, loaded once per test process and initialized while loaded.
const clap_plugin_entry_t& clapEntry();
const clap_plugin_factory_t& pluginFactory();

// Parameter events for one block; the plug-in reads them through `list`.
class EventList {
  public:
    EventList();
    void add(uint32_t time, clap_id id, double value);
    const clap_input_events_t* list() const { return &list_; }

  private:
    std::vector<clap_event_param_value_t> events_;
    clap_input_events_t list_;
};

struct HostRecord {
    int restartRequests = 0;
    int rescans = 0;
    int latencyChanges = 0;
    int tailChanges = 0;
    int flushRequests = 0;
    std::map<clap_id, uint32_t> timers;  // id: period in ms
    clap_id nextTimer = 100;
    std::set<int> fds;
    // Set to refuse timers and descriptor watching, as a host without them.
    bool noEditorServices = false;
};

// A parameter event the plug-in sent the host: gestures carry no value.
struct OutputEvent {
    uint16_t type;
    clap_id id;
    double value;
    friend bool operator==(const OutputEvent&, const OutputEvent&) = default;
};

class ClapInstance {
  public:
    ClapInstance();
    ~ClapInstance();
    ClapInstance(const ClapInstance&) = delete;
    ClapInstance& operator=(const ClapInstance&) = delete;

    const clap_plugin_t& plugin() const { return *plugin_; }
    const HostRecord& record() const { return record_; }
    HostRecord& record() { return record_; }
    template <typename Extension>
    const Extension& extension(const char* id) const {
        return *static_cast<const Extension*>(plugin_->get_extension(plugin_, id));
    }

    bool activate(double sampleRate = 44100.0);
    void deactivate();
    // Activates and starts processing at 44.1 kHz.
    void start();
    // Stereo in place of nothing: out-of-place buffers of `frames` frames.
    // What the plug-in sends goes to `sent`; without it the list refuses.
    clap_process_status process(const float* left, const float* right, float* outLeft,
                                float* outRight, uint32_t frames, const EventList& events,
                                std::vector<OutputEvent>* sent = nullptr);
    double value(clap_id id) const;
    void flush(const EventList& events) const;
    // A flush: what the plug-in sends the host.
    std::vector<OutputEvent> flushOutput(const EventList& events = {}) const;
    std::vector<uint8_t> save() const;
    bool load(const std::vector<uint8_t>& bytes) const;
    bool loadPreset(int program) const;

  private:
    static const void* hostExtension(const clap_host_t* host, const char* id);
    static clap_output_events_t recordingList(std::vector<OutputEvent>& sent);
    clap_host_t host_;
    HostRecord record_;
    const clap_plugin_t* plugin_ = nullptr;
    bool active_ = false;
    bool processing_ = false;
};
