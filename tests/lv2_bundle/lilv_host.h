// A test host built on lilv, as real LV2 hosts are: it loads the bundle from
// the build tree, instantiates the plug-in and runs it with its ports
// connected to plain buffers.
#pragma once

#include <lilv/lilv.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

// One lilv world with the bundle loaded, and a URID map for the instances.
class LilvBundle {
  public:
    LilvBundle();  // loads VELMORIN_LV2_BUNDLE
    ~LilvBundle();
    LilvBundle(const LilvBundle&) = delete;
    LilvBundle& operator=(const LilvBundle&) = delete;

    LilvWorld* world() const { return world_; }
    const LilvPlugin* plugin() const { return plugin_; }
    LilvNode* node(const char* uri) const;  // caller frees
    LV2_URID_Map* map() { return &map_; }
    LV2_URID_Unmap* unmap() { return &unmap_; }
    const LV2_Feature* const* features() const { return features_; }
    // The factory presets by label.
    std::map<std::string, std::string> presets() const;  // label -> URI

  private:
    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri);
    static const char* unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid);

    LilvWorld* world_;
    const LilvPlugin* plugin_ = nullptr;
    std::vector<std::string> uris_;
    LV2_URID_Map map_{this, mapUri};
    LV2_URID_Unmap unmap_{this, unmapUrid};
    LV2_Feature mapFeature_{LV2_URID__map, &map_};
    LV2_Feature unmapFeature_{LV2_URID__unmap, &unmap_};
    const LV2_Feature* features_[3] = {&mapFeature_, &unmapFeature_, nullptr};
};

// One plug-in instance with every control port backed by a value here.
class LilvEffect {
  public:
    LilvEffect(LilvBundle& bundle, double sampleRate = 44100.0);
    ~LilvEffect();
    LilvEffect(const LilvEffect&) = delete;
    LilvEffect& operator=(const LilvEffect&) = delete;

    float& control(const std::string& symbol);
    float& control(uint32_t port) { return controls_.at(port); }
    // The control ports' indices, inputs or outputs.
    const std::vector<uint32_t>& controlPorts(bool outputs) const {
        return controlPorts_[outputs ? 1 : 0];
    }
    // Runs in blocks of `block` frames; in place writes into the input.
    void process(std::vector<float>& left, std::vector<float>& right, std::vector<float>& outLeft,
                 std::vector<float>& outRight, size_t block, bool inPlace);
    // As hosts apply a preset: its port values, then its state. A host that
    // knows no state (lv2apply's -c) writes the port values alone.
    void loadPreset(const std::string& uri, bool withState = true);
    LilvState* saveState() const;  // caller frees
    void restoreState(const LilvState* state);
    LilvInstance* instance() const { return instance_; }
    const LV2_Atom_Sequence& displayFeed() const { return feed_.sequence; }

  private:
    static void setPortValue(const char* symbol, void* user, const void* value, uint32_t size,
                             uint32_t type);
    static const void* portValue(const char* symbol, void* user, uint32_t* size, uint32_t* type);

    LilvBundle& bundle_;
    LilvInstance* instance_;
    std::vector<float> controls_;
    std::map<std::string, uint32_t> indexOf_;
    std::vector<uint32_t> controlPorts_[2];  // inputs, outputs
    uint32_t audio_[4] = {};                 // in left, in right, out left, out right
    union {
        LV2_Atom_Sequence sequence;
        char bytes[4096];
    } feed_{};
};
