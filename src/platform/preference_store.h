// Where the display preferences outlive the process. Every field carries the
// name it is stored under.
#pragma once

#include <array>
#include <cstdint>

namespace platform {

struct PreferenceRecord {
    std::int32_t normalizeTarget = 0;            // "subAN"
    std::int32_t peakHold = 0;                   // "subPH"
    std::int32_t colourScheme = 0;               // "subCO"
    std::array<std::int32_t, 36> waveColours{};  // "subCR": R, G, B of 12 entries
    std::int32_t zoomRange = 0;                  // "subWZ"
    std::int32_t displaySpeed = 0;               // "subDS"
    std::int32_t dcRemoval = 0;                  // "subDC"
};

class PreferenceStore {
  public:
    virtual ~PreferenceStore() = default;
    // Replaces each field whose stored value is present and readable; every
    // other field keeps what it holds. No range is checked.
    virtual void read(PreferenceRecord& record) = 0;
    // Stores all seven values; a failure leaves the store as it was.
    virtual void write(const PreferenceRecord& record) = 0;
};

}  // namespace platform
