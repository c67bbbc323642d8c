#include "params/program_bank.h"

#include <cstdio>
#include <cstring>

namespace velmorin {
namespace {

// Factory contents in stored units; the ratios are the normalized decimals the
// programs were written with (quantized to k/38 when a program is selected).
struct FactoryProgram {
    const char* name;
    int16_t threshold[3];
    float ratio[3];
    int32_t zoom[4];
    float mix[3];
    int16_t limiterSteps;
    float lookAhead;
    uint8_t normalize;
    uint8_t dither;
    float attack[3];
};

constexpr FactoryProgram kUserProgram = {
    "User", {12, 12, 12}, {0, 0, 0}, {2, 2, 2, 2}, {120, 120, 120}, 2, 0.0f, 0, 0, {0, 0, 0}};

constexpr FactoryProgram kFactory[] = {
    {"Init",
     {20, 20, 20},
     {0.105f, 0.105f, 0.105f},
     {2, 2, 2, 2},
     {120, 120, 120},
     9,
     1.0f,
     0,
     0,
     {0, 0, 0}},
    {"Mastering 1",
     {72, 72, 72},
     {0.053f, 0.053f, 0.053f},
     {2, 2, 2, 2},
     {120, 120, 120},
     11,
     1.0f,
     1,
     1,
     {0, 0, 0}},
    {"Mastering 2",
     {24, 24, 24},
     {0.079f, 0.079f, 0.079f},
     {2, 2, 2, 2},
     {120, 120, 120},
     12,
     1.0f,
     1,
     1,
     {0, 0, 0}},
    {"Mastering 3",
     {28, 28, 28},
     {0.132f, 0.132f, 0.132f},
     {3, 3, 3, 3},
     {120, 120, 120},
     14,
     1.0f,
     1,
     1,
     {0, 0, 0}},
    {"Mastering 4",
     {41, 41, 41},
     {0.21f, 0.21f, 0.21f},
     {3, 3, 3, 3},
     {120, 120, 120},
     26,
     1.0f,
     1,
     1,
     {0, 0, 0}},
    {"Heavy",
     {72, 72, 72},
     {0.079f, 0.132f, 0.079f},
     {4, 4, 4, 4},
     {120, 150, 120},
     24,
     1.0f,
     1,
     0,
     {1, 1, 1}},
    {"Constant Hi",
     {12, 72, 72},
     {0.0f, 0.079f, 0.079f},
     {3, 3, 3, 3},
     {175, 120, 130},
     18,
     1.0f,
     1,
     0,
     {0, 0, 0}},
    {"Preserve Attacks",
     {30, 30, 30},
     {0.4f, 0.4f, 0.4f},
     {3, 3, 3, 3},
     {120, 120, 120},
     15,
     1.0f,
     1,
     0,
     {1, 1, 0}},
    {"Punchy",
     {48, 48, 48},
     {0.5f, 0.5f, 0.5f},
     {4, 3, 3, 3},
     {120, 120, 120},
     24,
     0.0f,
     1,
     0,
     {1, 1, 1}},
    {"Carpe Diem",
     {52, 52, 52},
     {0.29f, 0.26f, 0.29f},
     {5, 5, 5, 5},
     {127, 120, 108},
     26,
     0.0f,
     1,
     0,
     {1, 0, 1}},
    {"Gimme more !",
     {56, 56, 56},
     {0.29f, 0.26f, 0.29f},
     {5, 5, 5, 5},
     {125, 120, 110},
     30,
     1.0f,
     1,
     0,
     {1, 0, 1}},
    {"Suffer well",
     {58, 58, 58},
     {0.29f, 0.26f, 0.29f},
     {6, 7, 7, 7},
     {130, 120, 115},
     34,
     1.0f,
     1,
     0,
     {1, 0, 1}},
};
constexpr int32_t kFactoryCount = sizeof(kFactory) / sizeof(kFactory[0]);

void fill(ProgramRecord& record, const FactoryProgram& p) {
    record.setName(p.name);
    for (int band = 0; band < 3; ++band) {
        record.bandOn[band].set(1.0f);
        record.thresholdSteps[band].set(p.threshold[band]);
        record.ratio[band].set(p.ratio[band]);
        record.mix[band].set(p.mix[band]);
        record.bandBypass[band].set(0.0f);
        record.bandAttack[band].set(p.attack[band]);
    }
    for (int lane = 0; lane < 4; ++lane) record.zoom[lane].set(p.zoom[lane]);
    record.limiterSteps.set(p.limiterSteps);
    record.output.set(24000);
    record.parameter18.set(1.0f);
    record.lookAhead.set(p.lookAhead);
    record.normalize.set(p.normalize);
    record.dither.set(p.dither);
    record.bypass.set(0);
    record.reserved[0].set(0.0f);
    record.reserved[1].set(0.0f);
}

}  // namespace

void ProgramRecord::setName(const char* text) {
    if (!text) return;
    const size_t length = strnlen(text, kProgramNameSize - 1);
    std::memcpy(name, text, length);
    name[length] = '\0';
}

ProgramBank::ProgramBank() {
    for (int32_t i = 0; i < kNumPrograms; ++i) {
        if (i < kFactoryCount) {
            fill(records_[i], kFactory[i]);
        } else {
            fill(records_[i], kUserProgram);
            char name[kProgramNameSize];
            std::snprintf(name, sizeof name, "User %d", static_cast<int>(i - kFactoryCount + 1));
            records_[i].setName(name);
        }
    }
}

}  // namespace velmorin
