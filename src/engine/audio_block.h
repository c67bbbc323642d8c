// One call of processReplacing: block-start values, the frames, the block end.
// The three stages are separate so a test can change parameters in between,
// the way another thread can while a block runs.
#pragma once

#include "engine/block_values.h"
#include "engine/display_feed.h"
#include "engine/engine_state.h"
#include "engine/extreme_lanes.h"
#include "engine/frame_run.h"
#include "engine/master_stage.h"

namespace velmorin {

class AudioBlock {
  public:
    AudioBlock(EngineState& engine, float sampleRate);

    bool bypassed() const { return values_.bypass; }
    // Global bypass: a bit-exact copy that touches no state.
    static void copyThrough(float** inputs, float** outputs, int32_t frames);
    // Inputs and outputs may be the same buffers.
    void runFrames(float** inputs, float** outputs, int32_t frames);
    void finish();

  private:
    void runStages(float** inputs, float** outputs, int32_t start, int32_t count);
    void writeBack();

    EngineState& engine_;
    const BlockValues values_;
    const float outputGainAtStart_;
    MasterWorkingState work_;
    int32_t pos_;
    int32_t lastRunCount_ = 0;  // frames of the last run: its last frame's gains are kept
    ExtremeLanes extremes_;
    OutputSums sums_;
    struct {
        LaneRun lanes;
        DelayedRun delayed;
    } run_;  // hand-over between the stages
};

void processBlock(EngineState& engine, float sampleRate, float** inputs, float** outputs,
                  int32_t frames);

}  // namespace velmorin
