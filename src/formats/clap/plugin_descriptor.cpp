#include "formats/clap/plugin_descriptor.h"

#include <clap/plugin-features.h>

namespace velmorin::clap_format {

namespace {

const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_MASTERING,
                                 CLAP_PLUGIN_FEATURE_COMPRESSOR,   CLAP_PLUGIN_FEATURE_LIMITER,
                                 CLAP_PLUGIN_FEATURE_STEREO,       nullptr};

}  // namespace

const clap_plugin_descriptor_t kDescriptor = {
    CLAP_VERSION_INIT,
    "com.quandorweb.velmorin",
    "Velmorin",
    "QuandorWeb",
    "",
    "",
    "",
    VELMORIN_VERSION,
    "Three-band mastering dynamics: band compressors with look-ahead and a peak limiter",
    kFeatures,
};

}  // namespace velmorin::clap_format
