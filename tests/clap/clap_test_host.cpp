#include "clap/clap_test_host.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "support/dynamic_library.h"

namespace {

struct LoadedModule {
    LoadedModule() {
        handle = dlopen(VELMORIN_CLAP_PATH, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) throw std::runtime_error(dlerror());
        entry = static_cast<const clap_plugin_entry_t*>(dlsym(handle, "clap_entry"));
        if (entry == nullptr || !entry->init(VELMORIN_CLAP_PATH))
            throw std::runtime_error("no clap_entry");
    }
    ~LoadedModule() {
        entry->deinit();
        dlclose(handle);
    }
    void* handle;
    const clap_plugin_entry_t* entry;
};

HostRecord& recordOf(const clap_host_t* host) {
    return *static_cast<HostRecord*>(host->host_data);
}

// Every call of the tests runs on one thread, the main and the audio thread
// both as the host sees it.
const clap_host_thread_check_t kThreadCheck = {
    [](const clap_host_t*) { return true; },
    [](const clap_host_t*) { return true; },
};
const clap_host_latency_t kLatency = {
    [](const clap_host_t* host) { ++recordOf(host).latencyChanges; }};
const clap_host_tail_t kTail = {[](const clap_host_t* host) { ++recordOf(host).tailChanges; }};
const clap_host_params_t kParams = {
    [](const clap_host_t* host, clap_param_rescan_flags) { ++recordOf(host).rescans; },
    [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
    [](const clap_host_t* host) { ++recordOf(host).flushRequests; },
};
const clap_host_timer_support_t kTimers = {
    [](const clap_host_t* host, uint32_t period, clap_id* id) {
        HostRecord& record = recordOf(host);
        if (record.noEditorServices) return false;
        *id = record.nextTimer++;
        return record.timers.emplace(*id, period).second;
    },
    [](const clap_host_t* host, clap_id id) { return recordOf(host).timers.erase(id) == 1; },
};
const clap_host_posix_fd_support_t kFds = {
    [](const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
        HostRecord& record = recordOf(host);
        return !record.noEditorServices && record.fds.insert(fd).second;
    },
    [](const clap_host_t*, int, clap_posix_fd_flags_t) { return false; },
    [](const clap_host_t* host, int fd) { return recordOf(host).fds.erase(fd) == 1; },
};

struct ByteReader {
    const std::vector<uint8_t>* bytes;
    size_t at = 0;
};

}  // namespace

const clap_plugin_entry_t& clapEntry() {
    static LoadedModule module;
    return *module.entry;
}

const clap_plugin_factory_t& pluginFactory() {
    return *static_cast<const clap_plugin_factory_t*>(
        clapEntry().get_factory(CLAP_PLUGIN_FACTORY_ID));
}

EventList::EventList() {
    list_.ctx = this;
    list_.size = [](const clap_input_events_t* list) {
        return static_cast<uint32_t>(static_cast<const EventList*>(list->ctx)->events_.size());
    };
    list_.get = [](const clap_input_events_t* list, uint32_t index) {
        return &static_cast<const EventList*>(list->ctx)->events_.at(index).header;
    };
}

void EventList::add(uint32_t time, clap_id id, double value) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = event.port_index = event.channel = event.key = -1;
    event.value = value;
    events_.push_back(event);
}

ClapInstance::ClapInstance() {
    host_ = {CLAP_VERSION_INIT,
             &record_,
             "velmorin tests",
             "",
             "",
             "1",
             hostExtension,
             [](const clap_host_t* host) { ++recordOf(host).restartRequests; },
             [](const clap_host_t*) {},
             [](const clap_host_t*) {}};
    plugin_ = pluginFactory().create_plugin(&pluginFactory(), &host_, "com.quandorweb.velmorin");
    if (plugin_ == nullptr || !plugin_->init(plugin_)) throw std::runtime_error("no instance");
}

ClapInstance::~ClapInstance() {
    deactivate();
    plugin_->destroy(plugin_);
}

const void* ClapInstance::hostExtension(const clap_host_t*, const char* id) {
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &kThreadCheck;
    if (std::strcmp(id, CLAP_EXT_LATENCY) == 0) return &kLatency;
    if (std::strcmp(id, CLAP_EXT_TAIL) == 0) return &kTail;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimers;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &kFds;
    return nullptr;
}

bool ClapInstance::activate(double sampleRate) {
    active_ = plugin_->activate(plugin_, sampleRate, 1, 4096);
    return active_;
}

void ClapInstance::deactivate() {
    if (processing_) plugin_->stop_processing(plugin_);
    if (active_) plugin_->deactivate(plugin_);
    processing_ = active_ = false;
}

void ClapInstance::start() {
    if (!activate() || !plugin_->start_processing(plugin_))
        throw std::runtime_error("cannot start");
    processing_ = true;
}

clap_process_status ClapInstance::process(const float* left, const float* right, float* outLeft,
                                          float* outRight, uint32_t frames, const EventList& events,
                                          std::vector<OutputEvent>* sent) {
    float* inputs[2] = {const_cast<float*>(left), const_cast<float*>(right)};
    float* outputs[2] = {outLeft, outRight};
    clap_audio_buffer_t in{inputs, nullptr, 2, 0, 0};
    clap_audio_buffer_t out{outputs, nullptr, 2, 0, 0};
    const clap_output_events_t none = {
        nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return false; }};
    std::vector<OutputEvent> unused;
    const clap_output_events_t recorded = recordingList(sent ? *sent : unused);
    const clap_process_t process = {
        -1, frames, nullptr, &in, &out, 1, 1, events.list(), sent ? &recorded : &none};
    return plugin_->process(plugin_, &process);
}

double ClapInstance::value(clap_id id) const {
    double value = -1.0;
    if (!extension<clap_plugin_params_t>(CLAP_EXT_PARAMS).get_value(plugin_, id, &value))
        throw std::runtime_error("no value");
    return value;
}

void ClapInstance::flush(const EventList& events) const {
    extension<clap_plugin_params_t>(CLAP_EXT_PARAMS).flush(plugin_, events.list(), nullptr);
}

std::vector<OutputEvent> ClapInstance::flushOutput(const EventList& events) const {
    std::vector<OutputEvent> sent;
    const clap_output_events_t out = recordingList(sent);
    extension<clap_plugin_params_t>(CLAP_EXT_PARAMS).flush(plugin_, events.list(), &out);
    return sent;
}

clap_output_events_t ClapInstance::recordingList(std::vector<OutputEvent>& sent) {
    return {&sent, [](const clap_output_events_t* list, const clap_event_header_t* event) {
                auto& to = *static_cast<std::vector<OutputEvent>*>(list->ctx);
                if (event->type == CLAP_EVENT_PARAM_VALUE) {
                    const auto& value = reinterpret_cast<const clap_event_param_value_t&>(*event);
                    to.push_back({event->type, value.param_id, value.value});
                } else {
                    const auto& gesture =
                        reinterpret_cast<const clap_event_param_gesture_t&>(*event);
                    to.push_back({event->type, gesture.param_id, 0.0});
                }
                return true;
            }};
}

std::vector<uint8_t> ClapInstance::save() const {
    std::vector<uint8_t> bytes;
    const clap_ostream_t stream = {
        &bytes, [](const clap_ostream_t* stream, const void* data, uint64_t size) -> int64_t {
            // Takes at most 7 bytes a call, as a host's stream may.
            const uint64_t taken = std::min<uint64_t>(size, 7);
            auto* to = static_cast<std::vector<uint8_t>*>(stream->ctx);
            to->insert(to->end(), static_cast<const uint8_t*>(data),
                       static_cast<const uint8_t*>(data) + taken);
            return static_cast<int64_t>(taken);
        }};
    if (!extension<clap_plugin_state_t>(CLAP_EXT_STATE).save(plugin_, &stream))
        throw std::runtime_error("save failed");
    return bytes;
}

bool ClapInstance::load(const std::vector<uint8_t>& bytes) const {
    ByteReader reader{&bytes};
    const clap_istream_t stream = {
        &reader, [](const clap_istream_t* stream, void* data, uint64_t size) -> int64_t {
            auto& from = *static_cast<ByteReader*>(stream->ctx);
            const uint64_t taken = std::min<uint64_t>({size, 5, from.bytes->size() - from.at});
            if (taken > 0) std::memcpy(data, from.bytes->data() + from.at, taken);
            from.at += taken;
            return static_cast<int64_t>(taken);
        }};
    return extension<clap_plugin_state_t>(CLAP_EXT_STATE).load(plugin_, &stream);
}

bool ClapInstance::loadPreset(int program) const {
    const std::string key = std::to_string(program);
    return extension<clap_plugin_preset_load_t>(CLAP_EXT_PRESET_LOAD)
        .from_location(plugin_, CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr, key.c_str());
}
