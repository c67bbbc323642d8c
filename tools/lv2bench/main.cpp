// velmorin-lv2bench [--seconds S] [--rounds N]: ns/frame of the VST 2.4 module
// as `velmorin bench` measures it and of the LV2 bundle run through lilv, in
// alternating rounds so that both see the same machine load. Fails when the
// two outputs differ, since then they did not do the same work.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "demo_mix.h"
#include "lv2_bundle/lilv_host.h"
#include "median_timing.h"
#include "open_plugin.h"

namespace {

using namespace velmorin;

constexpr int32_t kBlock = 512;

struct Output {
    std::vector<float> left, right;
};

bool sameBits(const Output& a, const Output& b) {
    const auto same = [](const std::vector<float>& x, const std::vector<float>& y) {
        return x.size() == y.size() &&
               std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0;
    };
    return same(a.left, b.left) && same(a.right, b.right);
}

// The module prepared once and started once for all its runs.
class VstRun {
  public:
    explicit VstRun(const host::AudioBuffer& audio)
        : plugin_(host::openPlugin(VELMORIN_VST_MODULE)), audio_(audio) {
        plugin_->prepare(audio.sampleRate, kBlock);
        plugin_->start();
        output_.left.resize(audio.frames());
        output_.right.resize(audio.frames());
    }
    ~VstRun() { plugin_->stop(); }

    void render() {
        for (std::size_t start = 0; start < audio_.frames(); start += kBlock) {
            const auto frames =
                static_cast<int32_t>(std::min<std::size_t>(kBlock, audio_.frames() - start));
            const float* inputs[2] = {&audio_.left[start], &audio_.right[start]};
            float* outputs[2] = {&output_.left[start], &output_.right[start]};
            plugin_->process(inputs, outputs, frames);
        }
    }
    const Output& output() const { return output_; }

  private:
    std::unique_ptr<host::PluginInstance> plugin_;
    const host::AudioBuffer& audio_;
    Output output_;
};

class Lv2Run {
  public:
    Lv2Run(LilvBundle& bundle, const host::AudioBuffer& audio)
        : effect_(bundle, audio.sampleRate), left_(audio.left), right_(audio.right) {}

    // Not in place, so the input stays as it is for the next run.
    void render() { effect_.process(left_, right_, output_.left, output_.right, kBlock, false); }
    const Output& output() const { return output_; }

  private:
    LilvEffect effect_;
    std::vector<float> left_, right_;
    Output output_;
};

double median(std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Speed of the LV2 bundle through lilv beside the VST 2.4 module"};
    double seconds = 10.0;
    int rounds = 3;
    app.add_option("--seconds", seconds, "length of the material")
        ->capture_default_str()
        ->check(CLI::Range(0.01, 3600.0));
    app.add_option("--rounds", rounds, "alternating rounds of both")
        ->capture_default_str()
        ->check(CLI::Range(1, 100));
    CLI11_PARSE(app, argc, argv);

    const host::AudioBuffer audio = host::demoMixLasting(seconds);
    LilvBundle bundle;
    VstRun vst(audio);
    Lv2Run lv2(bundle, audio);
    std::printf("%.1f s of the demo mix at %d Hz in blocks of %d; median of %d runs\n",
                audio.seconds(), audio.sampleRate, kBlock, lv2bench::kRuns);
    std::printf("%-6s %14s %14s %9s\n", "round", "VST ns/frame", "LV2 ns/frame", "LV2/VST");
    std::vector<double> vstFigures, lv2Figures, ratios;
    for (int round = 1; round <= rounds; ++round) {
        vstFigures.push_back(
            lv2bench::medianNanosecondsPerFrame(audio.frames(), [&] { vst.render(); }));
        lv2Figures.push_back(
            lv2bench::medianNanosecondsPerFrame(audio.frames(), [&] { lv2.render(); }));
        ratios.push_back(lv2Figures.back() / vstFigures.back());
        std::printf("%-6d %14.1f %14.1f %8.1f%%\n", round, vstFigures.back(), lv2Figures.back(),
                    100.0 * ratios.back());
        std::fflush(stdout);
    }
    // Medians over the rounds: a round the machine slowed for one side only
    // moves them least.
    std::printf("%-6s %14.1f %14.1f %8.1f%%\n", "median", median(vstFigures), median(lv2Figures),
                100.0 * median(ratios));
    if (!sameBits(vst.output(), lv2.output())) {
        std::fprintf(stderr, "the LV2 and VST 2.4 outputs differ: not the same work\n");
        return 1;
    }
    return 0;
}
