#include "formats/clap/clap_extensions.h"

#include <clap/ext/audio-ports.h>
#include <clap/ext/draft/gain-adjustment-metering.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/preset-load.h>
#include <clap/ext/render.h>
#include <clap/ext/state.h>
#include <clap/ext/tail.h>

#include <cstdio>
#include <cstring>

#include "engine/meter_figures.h"
#include "formats/clap/clap_effect.h"
#include "formats/clap/clap_gui.h"
#include "formats/clap/clap_parameters.h"
#include "params/parameter_table.h"

namespace velmorin::clap_format {

namespace {

// One stereo port each way; the engine works in place, so they pair.
const clap_plugin_audio_ports_t kAudioPorts = {
    [](const clap_plugin_t* plugin, bool) -> uint32_t {
        ClapEffect::of(plugin).host().expectMainThread();
        return 1;
    },
    [](const clap_plugin_t* plugin, uint32_t index, bool input,
       clap_audio_port_info_t* info) -> bool {
        ClapEffect::of(plugin).host().expectMainThread();
        if (index != 0 || info == nullptr) return false;
        *info = {};
        info->id = 0;
        std::snprintf(info->name, sizeof info->name, "%s", input ? "Input" : "Output");
        info->flags = CLAP_AUDIO_PORT_IS_MAIN;
        info->channel_count = 2;
        info->port_type = CLAP_PORT_STEREO;
        info->in_place_pair = 0;
        return true;
    },
};

const clap_plugin_params_t kParams = {
    [](const clap_plugin_t* plugin) -> uint32_t {
        ClapEffect::of(plugin).host().expectMainThread();
        return kNumParameters;
    },
    [](const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) -> bool {
        ClapEffect::of(plugin).host().expectMainThread();
        if (!isParameterId(index) || info == nullptr) return false;
        describeParameter(static_cast<int32_t>(index), *info);
        return true;
    },
    [](const clap_plugin_t* plugin, clap_id id, double* value) -> bool {
        const ClapEffect& self = ClapEffect::of(plugin);
        self.host().expectMainThread();
        if (!isParameterId(id) || value == nullptr) return false;
        const auto index = static_cast<int32_t>(id);
        *value = clapValueOf(index, self.effect().storedValue(index));
        return true;
    },
    [](const clap_plugin_t* plugin, clap_id id, double value, char* text, uint32_t size) -> bool {
        ClapEffect::of(plugin).host().expectMainThread();
        return isParameterId(id) && valueToText(static_cast<int32_t>(id), value, text, size);
    },
    [](const clap_plugin_t* plugin, clap_id id, const char* text, double* value) -> bool {
        ClapEffect::of(plugin).host().expectMainThread();
        if (!isParameterId(id) || value == nullptr) return false;
        const std::optional<double> read = textToValue(static_cast<int32_t>(id), text);
        if (read) *value = *read;
        return read.has_value();
    },
    [](const clap_plugin_t* plugin, const clap_input_events_t* in,
       const clap_output_events_t* out) { ClapEffect::of(plugin).flush(in, out); },
};

const clap_plugin_state_t kState = {
    [](const clap_plugin_t* plugin, const clap_ostream_t* stream) -> bool {
        return stream != nullptr && ClapEffect::of(plugin).saveState(*stream);
    },
    [](const clap_plugin_t* plugin, const clap_istream_t* stream) -> bool {
        return stream != nullptr && ClapEffect::of(plugin).loadState(*stream);
    },
};

const clap_plugin_latency_t kLatency = {
    [](const clap_plugin_t* plugin) -> uint32_t {
        ClapEffect::of(plugin).host().expectMainThread();
        return ClapEffect::of(plugin).latency();
    },
};

const clap_plugin_tail_t kTail = {
    [](const clap_plugin_t* plugin) -> uint32_t { return ClapEffect::of(plugin).tail(); },
};

// Offline rendering runs the same audio path: both modes are welcome.
const clap_plugin_render_t kRender = {
    [](const clap_plugin_t*) -> bool { return false; },
    [](const clap_plugin_t* plugin, clap_plugin_render_mode mode) -> bool {
        ClapEffect::of(plugin).host().expectMainThread();
        return mode == CLAP_RENDER_REALTIME || mode == CLAP_RENDER_OFFLINE;
    },
};

const clap_plugin_preset_load_t kPresetLoad = {
    [](const clap_plugin_t* plugin, uint32_t kind, const char* location, const char* key) -> bool {
        return ClapEffect::of(plugin).loadPreset(kind, location, key);
    },
};

// How hard the dynamics work at the last frame: the deepest band and the
// limiter after it (meter_figures.h); 0 while bypassed or not processing.
const clap_plugin_gain_adjustment_metering_t kGainAdjustmentMetering = {
    [](const clap_plugin_t* plugin) -> double {
        const ClapEffect& effect = ClapEffect::of(plugin);
        effect.host().expectAudioThread();
        return workingReductionDb(effect.effect().engine().lastBlock);
    },
};

struct Extension {
    const char* id;
    const void* table;
};

const Extension kExtensions[] = {
    {CLAP_EXT_AUDIO_PORTS, &kAudioPorts},
    {CLAP_EXT_PARAMS, &kParams},
    {CLAP_EXT_STATE, &kState},
    {CLAP_EXT_LATENCY, &kLatency},
    {CLAP_EXT_TAIL, &kTail},
    {CLAP_EXT_RENDER, &kRender},
    {CLAP_EXT_PRESET_LOAD, &kPresetLoad},
    {CLAP_EXT_PRESET_LOAD_COMPAT, &kPresetLoad},
    {CLAP_EXT_GAIN_ADJUSTMENT_METERING, &kGainAdjustmentMetering},
};

}  // namespace

const void* extensionTable(const char* id) {
    for (const Extension& extension : kExtensions) {
        if (std::strcmp(extension.id, id) == 0) return extension.table;
    }
    return editorExtensionTable(id);
}

}  // namespace velmorin::clap_format
