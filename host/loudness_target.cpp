#include "loudness_target.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "host_error.h"
#include "open_plugin.h"
#include "params/parameter_table.h"
#include "params/parameter_unit.h"
#include "params/shown_value.h"

namespace velmorin::host {

namespace {

constexpr double kTolerance = 0.5;     // LU either side of the target
constexpr double kAimTolerance = 0.1;  // what the trim aims for, well inside it
constexpr int kMaxTrimPasses = 4;
constexpr int kEstimatedPasses = 9;  // for the progress shown: a search and a trim

// Velmorin's controls, as its parameter table describes them.
constexpr ParameterIndex kMixes[] = {kMixH, kMixM, kMixL};
const int kMaxSteps = static_cast<int>(parameterInfo(kThrLimiter).maximum);  // most limiting
const int kOutputRange = static_cast<int>(parameterInfo(kOutput).maximum);   // stored at 0 dB
const int kMixRange = static_cast<int>(parameterInfo(kMixH).maximum);
const double kOutputStepsPerDb = parameterUnit(ParameterKind::Output).stepsPerUnit;
const double kMixStepsPerDb = parameterUnit(ParameterKind::Mix).stepsPerUnit;
const double kMaxOutputDb = kOutputRange / kOutputStepsPerDb;

std::string number(double value, const char* format = "%.2f") {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Velmorin's controls as the plug-in's format lists and counts them: by their
// VST 2.4 names with values from 0 to 1, or by their CLAP names with the
// values the editor shows.
class Controls {
  public:
    explicit Controls(ValueScale scale) : scale_(scale) {}

    std::string name(ParameterIndex parameter) const {
        const ParameterInfo& info = parameterInfo(parameter);
        return scale_ == ValueScale::plain ? info.words : withoutTrailingBlanks(info.hostName);
    }

    ParameterSetting setting(ParameterIndex parameter, int stored) const {
        return {ParameterSetting::Target::name,
                name(parameter) + "=" + number(value(parameter, stored), "%.9g")};
    }

    int stored(ParameterIndex parameter, float value) const {
        const double range = parameterInfo(parameter).maximum;
        return static_cast<int>(std::lround(
            scale_ == ValueScale::plain ? storedOfShownValue(parameter, value) : value * range));
    }

  private:
    // A VST 2.4 value strictly between 0 and 1 is scaled by the range and
    // truncated after adding 0.5; 0 and 1 would be taken as stored units, so
    // the top is kept just under 1.
    double value(ParameterIndex parameter, int stored) const {
        if (scale_ == ValueScale::plain) return shownValueOf(parameter, static_cast<float>(stored));
        if (stored <= 0) return 0;
        return std::min(stored / static_cast<double>(parameterInfo(parameter).maximum), 0.99999);
    }

    ValueScale scale_;
};

struct Measured {
    RenderResult result;
    Loudness loudness;
    double integrated() const { return *loudness.integratedLufs; }
    double truePeak() const { return *loudness.truePeakDb; }
};

class TargetSearch {
  public:
    TargetSearch(const RenderJob& job, const AudioBuffer& input, const std::string& what,
                 const LoudnessTarget& target, const ProgressCallback& progress)
        : job_(job), input_(input), what_(what), target_(target), progress_(progress) {
        readMixLevels();
    }

    TargetedRender run() {
        // The trim's rounding can leave a true peak a hair over: a little
        // more limiting then.
        const int fewest = fewestSteps();
        for (int steps = fewest; steps <= std::min(fewest + 2, kMaxSteps); ++steps) {
            if (std::optional<TargetedRender> done = trimmed(steps)) return std::move(*done);
        }
        throw HostError("--target-lufs " + number(target_.lufs),
                        "the trim did not settle within 0.5 LU under the ceiling for " + what_);
    }

  private:
    void readMixLevels() {
        const std::unique_ptr<PluginInstance> opened = openPlugin(job_.pluginPath());
        PluginInstance& probe = *opened;
        job_.configure(probe, input_.sampleRate);
        controls_ = Controls(probe.valueScale());
        std::map<std::string, int32_t> indices;
        for (int32_t index = 0; index < probe.parameterCount(); ++index) {
            indices[withoutTrailingBlanks(probe.parameterName(index))] = index;
        }
        for (ParameterIndex parameter : {kNormalize, kThrLimiter, kOutput, kMixH, kMixM, kMixL}) {
            if (!indices.count(controls_.name(parameter))) {
                throw HostError("--target-lufs", probe.what() + " has no parameter named '" +
                                                     controls_.name(parameter) +
                                                     "' to reach the target with");
            }
        }
        for (int band = 0; band < 3; ++band) {
            const ParameterIndex mix = kMixes[band];
            mixLevels_[band] = controls_.stored(mix, probe.parameter(indices[controls_.name(mix)]));
        }
    }

    // Output is linear after the limiter and lands in one pass; the Mix levels
    // drive the limiter and may need another.
    std::optional<TargetedRender> trimmed(int steps) {
        double trim = target_.lufs - atSteps(steps).integrated();
        for (int pass = 0; pass < kMaxTrimPasses; ++pass) {
            std::vector<ParameterSetting> chosen = settingsFor(steps, trim);
            Measured measured = render(chosen);
            const double miss = target_.lufs - measured.integrated();
            const bool last = pass == kMaxTrimPasses - 1;
            if (std::fabs(miss) <= (last ? kTolerance : kAimTolerance)) {
                if (measured.truePeak() > target_.truePeakCeilingDb) return std::nullopt;
                return TargetedRender{std::move(measured.result), measured.loudness,
                                      std::move(chosen)};
            }
            trim += miss;
        }
        return std::nullopt;
    }

    // Normalize off first, so that the threshold does not move the Output gain.
    std::vector<ParameterSetting> settingsFor(int steps, double trimDb) const {
        std::vector<ParameterSetting> chosen = {controls_.setting(kNormalize, 0),
                                                controls_.setting(kThrLimiter, steps)};
        const double outputDb = std::clamp(trimDb, 0.0, kMaxOutputDb);
        const int output = static_cast<int>(std::ceil(kOutputRange - kOutputStepsPerDb * outputDb));
        chosen.push_back(controls_.setting(kOutput, output));
        const double mixDb = trimDb - outputDb;
        if (mixDb != 0.0) {
            for (int band = 0; band < 3; ++band) {
                const long level = std::lround(mixLevels_[band] - kMixStepsPerDb * mixDb);
                const int clamped = static_cast<int>(std::clamp(level, 0L, long{kMixRange}));
                chosen.push_back(controls_.setting(kMixes[band], clamped));
            }
        }
        return chosen;
    }

    Measured render(const std::vector<ParameterSetting>& chosen) {
        RenderJob job = job_;
        job.settings.insert(job.settings.end(), chosen.begin(), chosen.end());
        const int pass = passes_++;
        Measured measured;
        measured.result = runRenderJob(job, input_, [&](std::size_t done, std::size_t total) {
            if (!progress_ || total == 0) return;
            const double fraction = (pass + static_cast<double>(done) / total) / kEstimatedPasses;
            progress_(static_cast<std::size_t>(1000.0 * std::min(fraction, 0.99)), 1000);
        });
        measured.loudness = measureLoudness(measured.result.output);
        if (!measured.loudness.integratedLufs || !measured.loudness.truePeakDb) {
            throw HostError("--target-lufs", "this build does not measure loudness");
        }
        if (!std::isfinite(measured.integrated())) {
            throw HostError(what_,
                            "is silent: no gain brings it to " + number(target_.lufs) + " LUFS");
        }
        return measured;
    }

    // Limiter threshold only, no trim: how loud and how peaky STEPS leaves it.
    const Measured& atSteps(int steps) {
        auto found = bySteps_.find(steps);
        if (found == bySteps_.end())
            found = bySteps_.emplace(steps, render(settingsFor(steps, 0.0))).first;
        return found->second;
    }

    // A trim moves loudness and true peak together, so a threshold serves when
    // its peak-to-loudness ratio fits between the ceiling and the target.
    bool fits(int steps) {
        const Measured& measured = atSteps(steps);
        return measured.truePeak() - measured.integrated() <=
               target_.truePeakCeilingDb - target_.lufs;
    }

    // More limiting lowers the peak-to-loudness ratio: the least that fits.
    int fewestSteps() {
        if (fits(0)) return 0;
        if (!fits(kMaxSteps)) {
            const Measured& most = atSteps(kMaxSteps);
            const double loudest =
                target_.truePeakCeilingDb - (most.truePeak() - most.integrated());
            throw HostError("--target-lufs " + number(target_.lufs),
                            "louder than the limiter allows for " + what_ + " (at most " +
                                number(loudest) + " LUFS with true peak at most " +
                                number(target_.truePeakCeilingDb) + " dBTP)");
        }
        int low = 0;
        int high = kMaxSteps;
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            (fits(middle) ? high : low) = middle;
        }
        return high;
    }

    RenderJob job_;
    const AudioBuffer& input_;
    std::string what_;
    LoudnessTarget target_;
    ProgressCallback progress_;
    Controls controls_{ValueScale::normalized};  // as the plug-in lists them
    int mixLevels_[3] = {120, 120, 120};
    std::map<int, Measured> bySteps_;
    int passes_ = 0;
};

}  // namespace

void checkTarget(const LoudnessTarget& target) {
    if (!(target.lufs >= -70.0 && target.lufs <= 0.0)) {
        throw HostError("--target-lufs " + number(target.lufs),
                        "must be a loudness from -70 to 0 LUFS");
    }
    if (!(target.truePeakCeilingDb >= -30.0 && target.truePeakCeilingDb <= 0.0)) {
        throw HostError("--true-peak-ceiling " + number(target.truePeakCeilingDb),
                        "must be from -30 to 0 dBTP");
    }
}

TargetedRender renderToTarget(const RenderJob& job, const AudioBuffer& input,
                              const std::string& what, const LoudnessTarget& target,
                              const ProgressCallback& progress) {
    checkTarget(target);
    return TargetSearch(job, input, what, target, progress).run();
}

}  // namespace velmorin::host
