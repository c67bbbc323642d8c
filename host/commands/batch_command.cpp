// velmorin batch FILE... --output-dir DIR: an album through the plug-in, one
// instance per file, the files spread over worker threads. Each output is
// what render writes for that file alone.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "audio_file.h"
#include "commands/commands.h"
#include "commands/job_options.h"
#include "commands/report_options.h"
#include "host_error.h"
#include "json_report.h"
#include "master_file.h"
#include "open_plugin.h"
#include "output_path.h"
#include "progress_bar.h"

namespace velmorin::host {

namespace {

constexpr int kMaxJobs = 256;

struct BatchArguments {
    std::vector<std::filesystem::path> inputs;
    std::filesystem::path folder;
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    bool overwrite = false;
    bool plot = false;
    std::string format = "float32";
    RenderJob job;
    ReportOptions reports;
};

struct BatchFile {
    std::filesystem::path input;
    std::filesystem::path output;
    std::filesystem::path plot;  // empty: none
    std::optional<RenderReport> report;
    std::string error;
};

// Everything that would spoil the batch is refused before anything runs.
std::vector<BatchFile> plan(const BatchArguments& arguments) {
    if (arguments.jobs < 1 || arguments.jobs > kMaxJobs) {
        throw HostError("--jobs " + std::to_string(arguments.jobs),
                        "must be from 1 to " + std::to_string(kMaxJobs));
    }
    std::vector<BatchFile> files;
    std::map<std::string, std::filesystem::path> byName;
    for (const auto& input : arguments.inputs) {
        const std::string name = input.stem().string();
        const auto [first, fresh] = byName.emplace(name, input);
        if (!fresh) {
            throw HostError("input " + input.string(), "has the same name as " +
                                                           first->second.string() +
                                                           "; both would write " + name + ".wav");
        }
        BatchFile file{input, arguments.folder / (name + ".wav"), {}, std::nullopt, {}};
        if (arguments.plot) file.plot = arguments.folder / (name + ".png");
        files.push_back(std::move(file));
    }
    std::error_code ec;
    for (const BatchFile& file : files) {
        for (const auto* output : {&file.output, &file.plot}) {
            if (output->empty()) continue;
            if (sameFile(file.input, *output)) {
                throw HostError("output " + output->string(), "is the input file");
            }
            if (std::filesystem::exists(*output, ec) && !arguments.overwrite) {
                throw HostError("output " + output->string(), "exists (--overwrite replaces it)");
            }
        }
    }
    return files;
}

// A bad program or setting fails every file alike: found once, up front.
void tryJob(const RenderJob& job) {
    job.configure(*openPlugin(job.pluginPath()), 44100);
}

// One progress bar for the whole batch: each file's share, summed.
class BatchProgress {
  public:
    explicit BatchProgress(std::size_t files) : done_(files, 0.0) {}

    ProgressCallback forFile(std::size_t index) {
        return [this, index](std::size_t done, std::size_t total) {
            set(index, total > 0 ? static_cast<double>(done) / total : 1.0);
        };
    }
    void set(std::size_t index, double fraction) {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_[index] = fraction;
        double sum = 0.0;
        for (double share : done_) sum += share;
        bar_->update(static_cast<std::size_t>(1000.0 * sum), 1000 * done_.size());
    }
    // A line on standard error between the bar's redraws.
    void say(const std::string& line) {
        const std::lock_guard<std::mutex> lock(mutex_);
        bar_.reset();
        std::fprintf(stderr, "velmorin: %s\n", line.c_str());
        bar_ = std::make_unique<ProgressBar>();
    }
    void finish() {
        const std::lock_guard<std::mutex> lock(mutex_);
        bar_.reset();
    }

  private:
    std::mutex mutex_;
    std::vector<double> done_;
    std::unique_ptr<ProgressBar> bar_ = std::make_unique<ProgressBar>();
};

void renderFile(const BatchArguments& arguments, BatchFile& file,
                const ProgressCallback& progress) {
    const AudioBuffer input = readAudioFile(file.input);
    file.report =
        masterToFiles(arguments.job, arguments.reports.target(), input, file.input.string(),
                      {.output = file.output,
                       .format = sampleFormat(arguments.format),
                       .plot = file.plot,
                       .inputCopy = {}},
                      progress);
}

void renderAll(const BatchArguments& arguments, std::vector<BatchFile>& files) {
    BatchProgress progress(files.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            try {
                renderFile(arguments, files[i], progress.forFile(i));
            } catch (const std::exception& error) {  // HostError, or out of memory
                files[i].error = error.what();
                progress.say(files[i].error);
            }
            progress.set(i, 1.0);
        }
    };
    const auto threads = std::min<std::size_t>(arguments.jobs, files.size());
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(worker);
    worker();
    for (auto& thread : workers) thread.join();
    progress.finish();
}

std::string cell(const std::optional<double>& value) {
    char text[16];
    if (!value || !std::isfinite(*value)) return "n/a";
    std::snprintf(text, sizeof text, "%.2f", *value);
    return text;
}

void printTable(const std::vector<BatchFile>& files) {
    std::printf("%-28s %10s %10s %10s %8s %10s\n", "file", "in LUFS", "out LUFS", "out dBTP",
                "LRA LU", "x realtime");
    for (const BatchFile& file : files) {
        const std::string name = file.input.filename().string();
        if (!file.report) {
            std::printf("%-28s FAILED: %s\n", name.c_str(), file.error.c_str());
            continue;
        }
        const RenderReport& r = *file.report;
        std::printf("%-28s %10s %10s %10s %8s %10.0f\n", name.c_str(),
                    cell(r.inputLoudness.integratedLufs).c_str(),
                    cell(r.outputLoudness.integratedLufs).c_str(),
                    cell(r.outputLoudness.truePeakDb).c_str(),
                    cell(r.outputLoudness.rangeLu).c_str(), r.speed());
    }
}

void printChosenSettings(const std::vector<BatchFile>& files) {
    for (const BatchFile& file : files) {
        if (!file.report || !file.report->target) continue;
        std::printf("%s: %s\n", file.input.filename().string().c_str(),
                    reproducingOptions(*file.report).c_str());
    }
}

void run(const CLI::App& command, BatchArguments& arguments) {
    collectSettings(command, arguments.job);
    arguments.job.check();
    arguments.reports.check(arguments.folder);
    std::vector<BatchFile> files = plan(arguments);
    tryJob(arguments.job);
    std::error_code ec;
    std::filesystem::create_directories(arguments.folder, ec);
    if (ec) throw HostError("output folder " + arguments.folder.string(), ec.message());

    const auto began = std::chrono::steady_clock::now();
    renderAll(arguments, files);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    printTable(files);
    if (arguments.reports.target()) {
        std::printf("\nsettings chosen for %.2f LUFS, true peak at most %.2f dBTP:\n",
                    arguments.reports.target()->lufs,
                    arguments.reports.target()->truePeakCeilingDb);
        printChosenSettings(files);
    }
    std::vector<nlohmann::ordered_json> entries;
    std::size_t failed = 0;
    for (const BatchFile& file : files) {
        if (file.report) {
            entries.push_back(reportJson(*file.report));
        } else {
            entries.push_back(failureJson(file.input.string(), file.output.string(), file.error));
            ++failed;
        }
    }
    const auto threads = std::min<std::size_t>(arguments.jobs, files.size());
    std::printf("\n%zu file%s in %.2f s on %zu thread%s: %zu written to %s, %zu failed\n",
                files.size(), files.size() == 1 ? "" : "s", seconds, threads,
                threads == 1 ? "" : "s", files.size() - failed, arguments.folder.string().c_str(),
                failed);
    std::fflush(stdout);
    writeJsonIfAsked(arguments.reports, "batch", entries);
    if (failed > 0) {
        throw HostError("batch", std::to_string(failed) + " of " + std::to_string(files.size()) +
                                     " files failed");
    }
}

}  // namespace

void addBatchCommand(CLI::App& app) {
    auto arguments = std::make_shared<BatchArguments>();
    CLI::App* command = app.add_subcommand(
        "batch", "Render several audio files through a plug-in, in parallel, into one folder");
    command->add_option("FILE", arguments->inputs, "input audio files")->required();
    command
        ->add_option("--output-dir", arguments->folder, "folder for the outputs (made if missing)")
        ->required();
    command->add_option("--jobs", arguments->jobs, "files rendered at once (default: the cores)")
        ->capture_default_str();
    command->add_flag("--overwrite", arguments->overwrite, "replace outputs that exist");
    addPluginOption(*command, arguments->job);
    addProgramOption(*command, arguments->job);
    addSettingOptions(*command);
    addBlockOption(*command, arguments->job);
    command->add_flag("--compensate-latency", arguments->job.compensateLatency,
                      "drop the plug-in's latency so each output lines up with its input");
    addFormatOption(*command, arguments->format);
    addTargetOptions(*command, arguments->reports);
    addJsonOption(*command, arguments->reports);
    command->add_flag("--plot", arguments->plot,
                      "draw a loudness plot beside each output, as <input name>.png");
    command->callback([command, arguments] { run(*command, *arguments); });
}

}  // namespace velmorin::host
