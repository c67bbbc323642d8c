#include "lv2_bundle/lilv_host.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <lv2/presets/presets.h>

LilvBundle::LilvBundle() : world_(lilv_world_new()) {
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, VELMORIN_LV2_BUNDLE "/");
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
    // Loads the LV2 vocabularies (units, presets) the checks look at.
    lilv_world_load_specifications(world_);
    lilv_world_load_plugin_classes(world_);
    LilvNode* uri = node("https://quandorweb.com/lv2/velmorin");
    plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
    lilv_node_free(uri);
    if (!plugin_) throw std::runtime_error("the bundle holds no Velmorin plug-in");
}

LilvBundle::~LilvBundle() {
    lilv_world_free(world_);
}

LilvNode* LilvBundle::node(const char* uri) const {
    return lilv_new_uri(world_, uri);
}

std::map<std::string, std::string> LilvBundle::presets() const {
    std::map<std::string, std::string> found;
    LilvNode* presetClass = node(LV2_PRESETS__Preset);
    LilvNode* label = node("http://www.w3.org/2000/01/rdf-schema#label");
    LilvNodes* related = lilv_plugin_get_related(plugin_, presetClass);
    LILV_FOREACH(nodes, i, related) {
        const LilvNode* preset = lilv_nodes_get(related, i);
        lilv_world_load_resource(world_, preset);
        LilvNodes* labels = lilv_world_find_nodes(world_, preset, label, nullptr);
        if (labels) {
            found[lilv_node_as_string(lilv_nodes_get_first(labels))] = lilv_node_as_uri(preset);
        }
        lilv_nodes_free(labels);
    }
    lilv_nodes_free(related);
    lilv_node_free(label);
    lilv_node_free(presetClass);
    return found;
}

LV2_URID LilvBundle::mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    auto& uris = static_cast<LilvBundle*>(handle)->uris_;
    const auto found = std::find(uris.begin(), uris.end(), uri);
    if (found != uris.end()) return static_cast<LV2_URID>(found - uris.begin() + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
}

const char* LilvBundle::unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid) {
    auto& uris = static_cast<LilvBundle*>(handle)->uris_;
    return urid >= 1 && urid <= uris.size() ? uris[urid - 1].c_str() : nullptr;
}

LilvEffect::LilvEffect(LilvBundle& bundle, double sampleRate)
    : bundle_(bundle),
      instance_(lilv_plugin_instantiate(bundle.plugin(), sampleRate, bundle.features())) {
    if (!instance_) throw std::runtime_error("the plug-in did not instantiate");
    const LilvPlugin* plugin = bundle.plugin();
    const uint32_t count = lilv_plugin_get_num_ports(plugin);
    controls_.assign(count, 0.0f);
    std::vector<float> defaults(count);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    LilvNode* control = bundle.node(LV2_CORE__ControlPort);
    LilvNode* audio = bundle.node(LV2_CORE__AudioPort);
    LilvNode* input = bundle.node(LV2_CORE__InputPort);
    int audioSeen = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        indexOf_[lilv_node_as_string(lilv_port_get_symbol(plugin, port))] = i;
        if (lilv_port_is_a(plugin, port, control)) {
            const bool isInput = lilv_port_is_a(plugin, port, input);
            if (isInput) controls_[i] = defaults[i];
            controlPorts_[isInput ? 0 : 1].push_back(i);
            lilv_instance_connect_port(instance_, i, &controls_[i]);
        } else if (lilv_port_is_a(plugin, port, audio)) {
            audio_[audioSeen++] = i;
        } else {
            lilv_instance_connect_port(instance_, i, &feed_.sequence);
        }
    }
    lilv_node_free(input);
    lilv_node_free(audio);
    lilv_node_free(control);
    lilv_instance_activate(instance_);
}

LilvEffect::~LilvEffect() {
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
}

float& LilvEffect::control(const std::string& symbol) {
    return controls_.at(indexOf_.at(symbol));
}

void LilvEffect::process(std::vector<float>& left, std::vector<float>& right,
                         std::vector<float>& outLeft, std::vector<float>& outRight, size_t block,
                         bool inPlace) {
    outLeft.resize(left.size());
    outRight.resize(right.size());
    for (size_t start = 0; start < left.size(); start += block) {
        const size_t frames = std::min(block, left.size() - start);
        float* out[2] = {inPlace ? &left[start] : &outLeft[start],
                         inPlace ? &right[start] : &outRight[start]};
        lilv_instance_connect_port(instance_, audio_[0], &left[start]);
        lilv_instance_connect_port(instance_, audio_[1], &right[start]);
        lilv_instance_connect_port(instance_, audio_[2], out[0]);
        lilv_instance_connect_port(instance_, audio_[3], out[1]);
        feed_.sequence.atom.size = sizeof feed_ - sizeof(LV2_Atom);
        lilv_instance_run(instance_, static_cast<uint32_t>(frames));
    }
    if (inPlace) {
        outLeft = left;
        outRight = right;
    }
}

void LilvEffect::setPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                              uint32_t) {
    auto& self = *static_cast<LilvEffect*>(user);
    if (size == sizeof(float)) std::memcpy(&self.control(symbol), value, sizeof(float));
}

const void* LilvEffect::portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type) {
    auto& self = *static_cast<LilvEffect*>(user);
    const auto found = self.indexOf_.find(symbol);
    if (found == self.indexOf_.end()) return nullptr;
    *size = sizeof(float);
    *type = self.bundle_.map()->map(self.bundle_.map()->handle, LV2_ATOM__Float);
    return &self.controls_[found->second];
}

void LilvEffect::loadPreset(const std::string& uri, bool withState) {
    LilvNode* preset = bundle_.node(uri.c_str());
    LilvState* state = lilv_state_new_from_world(bundle_.world(), bundle_.map(), preset);
    lilv_node_free(preset);
    if (!state) throw std::runtime_error("no preset " + uri);
    if (withState)
        restoreState(state);
    else
        lilv_state_restore(state, nullptr, setPortValue, this, 0, nullptr);
    lilv_state_free(state);
}

LilvState* LilvEffect::saveState() const {
    return lilv_state_new_from_instance(bundle_.plugin(), instance_, bundle_.map(), nullptr,
                                        nullptr, nullptr, nullptr, portValue,
                                        const_cast<LilvEffect*>(this), 0, nullptr);
}

void LilvEffect::restoreState(const LilvState* state) {
    lilv_state_restore(state, instance_, setPortValue, this, 0, nullptr);
}
