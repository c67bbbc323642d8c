// An effect object built straight from the core library (no dlopen), for tests
// that look at the engine's state while driving the same operations a host uses.
#pragma once

#include <vector>

#include "formats/vst2/adelay_edit.h"
#include "support/loaded_plugin.h"

class DirectEffect : public ADelayEdit {
  public:
    DirectEffect() : ADelayEdit(RecordingHost::callback) {}

    // Processes a stereo signal in blocks of `block` frames (out of place).
    void run(const std::vector<float>& left, const std::vector<float>& right,
             std::vector<float>& outLeft, std::vector<float>& outRight, int32_t block = 512);
    // Same signal on both channels; returns the left output.
    std::vector<float> runMono(const std::vector<float>& input, int32_t block = 512);
};

std::vector<float> sine(float frequency, float amplitude, int32_t frames,
                        float sampleRate = 44100.0f);
float peakOf(const std::vector<float>& signal, size_t from, size_t to);
