// The bank of 18 programs: each a full set of stored parameter values and a
// name. Edits land directly in the current record; there is no edit buffer.
#pragma once

#include <array>
#include <cstdint>

#include "params/parameter_values.h"

namespace velmorin {

constexpr int32_t kNumPrograms = 18;
constexpr int32_t kProgramNameSize = 24;  // 23 characters and the terminator

// Program selection replays the values in this order: ThrLimiter comes after
// Normalize, because under Normalize it derives Output from itself.
constexpr std::array<int32_t, kNumParameters> kReplayOrder = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
    17, 18, 19, 20, 21, 22, 16, 23, 24, 25, 26, 27, 28, 29, 30};

struct ProgramRecord : ParameterValues<float> {
    char name[kProgramNameSize] = {};

    // Keeps at most 23 characters; a null text leaves the name unchanged.
    void setName(const char* text);
};

class ProgramBank {
  public:
    ProgramBank();  // factory contents

    ProgramRecord& operator[](int32_t index) { return records_[index]; }
    const ProgramRecord& operator[](int32_t index) const { return records_[index]; }
    static bool isProgramIndex(int32_t index) { return index >= 0 && index < kNumPrograms; }

  private:
    std::array<ProgramRecord, kNumPrograms> records_;
};

}  // namespace velmorin
