// Where the display preferences outlive the process. The names the fields
// are stored under are in preference_values.h.
#pragma once

#include <array>
#include <cstdint>

namespace platform {

struct PreferenceRecord {
    // R, G, B of 12 colour entries.
    using ColourTable = std::array<std::int32_t, 36>;

    std::int32_t normalizeTarget = 0;
    std::int32_t peakHold = 0;
    std::int32_t colourScheme = 0;
    ColourTable waveColours{};
    std::int32_t zoomRange = 0;
    std::int32_t displaySpeed = 0;
    std::int32_t dcRemoval = 0;
    std::int32_t editorScale = 0;
};

class PreferenceStore {
  public:
    virtual ~PreferenceStore() = default;
    // Replaces each field whose stored value is present and readable; every
    // other field keeps what it holds. No range is checked.
    virtual void read(PreferenceRecord& record) = 0;
    // Stores all eight values; a failure leaves the store as it was.
    virtual void write(const PreferenceRecord& record) = 0;
};

}  // namespace platform
