// The host runs third-party plug-ins from Debian's packages, which ask the
// host what Velmorin never does (the sample rate, the block size, the time
// info) and export other entry points (main). Skipped, with a message, when
// they are not installed.
#include <gtest/gtest.h>

#include <cmath>

#include "demo_mix.h"
#include "hosted_plugin.h"
#include "plugin_setup.h"
#include "render.h"

using namespace velmorin::host;

// Read by AddressSanitizer builds only: leaks inside third-party plug-ins are
// not this host's to find.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

namespace {

struct Peer {
    const char* package;
    const char* path;
    const char* name;     // as the plug-in reports it
    const char* setting;  // a parameter change that audibly alters the output
};

const Peer kPeers[] = {
    {"zam-plugins", "/usr/lib/vst/ZaMultiCompX2-vst.so", "ZaMultiCompX2", "Master Trim=1"},
    {"lsp-plugins-vst", "/usr/lib/vst/lsp-plugins/mb-compressor-stereo.so",
     "Multiband Compressor Stereo x8", "g_out=0.5"},
};

void PrintTo(const Peer& peer, std::ostream* out) {
    *out << peer.path;
}

class PeerPlugin : public ::testing::TestWithParam<Peer> {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(GetParam().path)) {
            GTEST_SKIP() << GetParam().path << " is missing: install the Debian package "
                         << GetParam().package << " to run this test";
        }
    }
};

AudioBuffer twoSeconds() {
    AudioBuffer audio = synthesizeDemoMix();
    audio.resize(2 * audio.sampleRate);
    return audio;
}

TEST_P(PeerPlugin, LoadsReportsItselfAndRenders) {
    const AudioBuffer input = twoSeconds();
    HostedPlugin plugin(GetParam().path);
    EXPECT_EQ(plugin.text(effGetEffectName), GetParam().name);
    EXPECT_GE(plugin.record().numParams, 1);
    EXPECT_EQ(programNames(plugin).size(), static_cast<std::size_t>(plugin.record().numPrograms));

    plugin.prepare(input.sampleRate, 512);
    const RenderResult plain = render(plugin, input, true);
    ASSERT_EQ(plain.output.frames(), input.frames());
    double energy = 0.0;
    for (float sample : plain.output.left) {
        ASSERT_TRUE(std::isfinite(sample));
        energy += static_cast<double>(sample) * sample;
    }
    EXPECT_GT(energy, 1.0);

    applySetting(plugin, {ParameterSetting::Target::name, GetParam().setting});
    const RenderResult changed = render(plugin, input, true);
    EXPECT_NE(changed.output.left, plain.output.left);
}

INSTANTIATE_TEST_SUITE_P(Debian, PeerPlugin, ::testing::ValuesIn(kPeers), [](const auto& info) {
    std::string name = info.param.package;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

}  // namespace
