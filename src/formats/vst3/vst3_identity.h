// Who the VST3 build is to hosts: its class ids (never to change), names,
// vendor, and the ids of what it adds to the core's 31 parameters.
#pragma once

#include <vst3_c_api.h>

#include <array>
#include <cstdint>
#include <string>

namespace velmorin::vst3 {

// A class id as its four words, the form moduleinfo.json prints.
using ClassWords = std::array<uint32_t, 4>;
constexpr ClassWords kProcessorWords = {0x5A1E0C3D, 0x8B7F4E21, 0x9C64D0A7, 0x3E52B918};
constexpr ClassWords kControllerWords = {0x7D2C91F4, 0x1A6B4C88, 0xB3E05D17, 0x62F9A4C0};

extern const Steinberg_TUID kProcessorClass;
extern const Steinberg_TUID kControllerClass;

// "5A1E0C3D8B7F4E219C64D0A73E52B918"
std::string classIdText(const ClassWords& words);

constexpr const char* kVendor = "QuandorWeb";
constexpr const char* kUrl = "https://quandorweb.com/velmorin";
constexpr const char* kEmail = "";
constexpr const char* kEffectName = "Velmorin";
constexpr const char* kControllerName = "Velmorin Controller";
constexpr const char* kEffectCategory = "Audio Module Class";
constexpr const char* kControllerCategory = "Component Controller Class";
constexpr const char* kSubCategories = "Fx|Dynamics|Mastering";
constexpr const char* kSdkVersion = "VST 3.8.1";
constexpr const char* kVersion = VELMORIN_VERSION;
// Both classes: the processor and the controller share no memory, so hosts
// may run them apart (kDistributable).
constexpr uint32_t kClassFlags = 1;

// Beyond the core's parameters (ids 0..30, their indices): the read-only
// meters right after them, the factory program list's selector and the
// host's bypass switch.
constexpr Steinberg_Vst_ParamID kFirstMeterParameter = 31;
constexpr Steinberg_Vst_ParamID kProgramParameter = 100;
constexpr Steinberg_Vst_ParamID kHostBypassParameter = 101;
constexpr Steinberg_Vst_ProgramListID kProgramList = 1;

// Units: the root, which owns the program list, and one per part of the
// effect (High, Mid, Low, Master as in params/parameter_table.h, ids 1..4).
constexpr Steinberg_Vst_UnitID kRootUnit = 0;
constexpr int32_t kUnitCount = 5;

}  // namespace velmorin::vst3
