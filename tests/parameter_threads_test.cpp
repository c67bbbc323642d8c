// Host automation and program changes on one thread while another thread reads
// values, texts and names: run under ThreadSanitizer, any data race fails.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <string>
#include <thread>

#include "support/loaded_plugin.h"

namespace {

constexpr int kWrites = 20000;
constexpr int kReadRounds = 400;

void automate(const Plugin& plugin) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> index(-1, 32);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    std::uniform_int_distribution<int32_t> program(0, 17);
    for (int i = 0; i < kWrites; ++i) {
        if (i % 64 == 0) plugin.selectProgram(program(random));
        plugin.set(index(random), value(random));
    }
}

// Counts what a reader saw that no writer could have produced.
int readEverything(const Plugin& plugin) {
    int faults = 0;
    for (int round = 0; round < kReadRounds; ++round) {
        for (int32_t i = -1; i <= 31; ++i) {
            const float v = plugin.get(i);
            if (!std::isfinite(v)) ++faults;
            if (plugin.display(i).empty() || plugin.name(i).empty() || plugin.label(i).empty()) {
                ++faults;
            }
        }
        if (plugin.programName().empty()) ++faults;
        const intptr_t current = plugin.dispatch(effGetProgram);
        if (current < 0 || current >= 18) ++faults;
        const int32_t latency =
            std::atomic_ref<int32_t>(plugin.effect()->initialDelay).load(std::memory_order_relaxed);
        if (latency != 0 && latency != 880) ++faults;
    }
    return faults;
}

}  // namespace

TEST(ParameterThreads, AutomationAndProgramChangesRaceWithReaders) {
    Plugin plugin;
    int faults = -1;
    std::thread reader([&] { faults = readEverything(plugin); });
    automate(plugin);
    reader.join();
    EXPECT_EQ(faults, 0);
}
