// However a render ends (interrupted, out of time, a full disk, a plug-in that
// hangs, crashes or reports nonsense), the command says so in one line, exits
// non-zero, leaves no partial or temporary file and keeps an existing output.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "audio_file.h"
#include "run_velmorin.h"
#include "temp_folder.h"

extern char** environ;

using namespace velmorin::host;

namespace {

class RenderEnds : public ::testing::Test {
  protected:
    void SetUp() override {
        AudioBuffer audio;
        audio.resize(44100 * 4);
        for (std::size_t n = 0; n < audio.frames(); ++n) audio.left[n] = audio.right[n] = 0.25f;
        writeAudioFile(input_, audio, SampleFormat::float32);
        std::ofstream(output_, std::ios::binary) << "an earlier output";
        before_ = folder_.names();
    }

    // The command ended as it should have: one line naming REASON, nothing
    // left behind, the earlier output untouched.
    void expectEndedCleanly(int exitCode, const std::string& err, const std::string& reason) {
        EXPECT_NE(exitCode, 0);
        ASSERT_FALSE(err.empty());
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        EXPECT_NE(err.find(reason), std::string::npos) << err;
        EXPECT_EQ(folder_.names(), before_);
        EXPECT_EQ(fileBytes(output_), "an earlier output");
    }

    std::vector<std::string> render(std::vector<std::string> options = {}) const {
        std::vector<std::string> arguments = {"render", input_.string(), output_.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return arguments;
    }

    // Starts the command, lets it run for a while, sends SIGNAL and waits.
    int interruptAfter(const std::vector<std::string>& arguments, std::chrono::milliseconds wait,
                       int signal, std::string& err) {
        const auto errPath =
            folder_.path().parent_path() / (folder_.path().filename().string() + ".err");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<std::string> all = {VELMORIN_COMMAND_PATH};
        all.insert(all.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        std::this_thread::sleep_for(wait);
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        err = fileBytes(errPath);
        std::filesystem::remove(errPath);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempFolder folder_;
    std::filesystem::path input_ = folder_ / "in.wav";
    std::filesystem::path output_ = folder_ / "out.wav";
    std::set<std::string> before_;
};

TEST_F(RenderEnds, InterruptedWhileThePlugInRuns) {
    std::string err;
    const int code = interruptAfter(render({"--plugin", BROKEN_HANGS}),
                                    std::chrono::milliseconds(500), SIGINT, err);
    EXPECT_EQ(code, 128 + SIGINT);
    expectEndedCleanly(code, err, "interrupted");
}

// The temporary output is a pipe nobody reads, so the write waits at its
// start: the signal arrives while the file is being written.
TEST_F(RenderEnds, TerminatedWhileTheOutputIsWritten) {
    const auto temporary = folder_ / ".out.wav.partial";
    ASSERT_EQ(mkfifo(temporary.c_str(), 0644), 0);
    std::string err;
    const int code = interruptAfter(render(), std::chrono::milliseconds(3000), SIGTERM, err);
    EXPECT_EQ(code, 128 + SIGTERM);
    expectEndedCleanly(code, err, "terminated");
}

TEST_F(RenderEnds, AFullDiskStopsTheWrite) {
    std::string command = "ulimit -f 256 && exec '" + std::string(VELMORIN_COMMAND_PATH) + "'";
    for (const auto& argument : render()) command += " '" + argument + "'";
    const CommandResult result = runProgram("sh", {"-c", command});
    expectEndedCleanly(result.exitCode, result.err, "cannot write");
}

TEST_F(RenderEnds, APlugInThatHangsEndsAtTheTimeout) {
    const auto began = std::chrono::steady_clock::now();
    const CommandResult result = runVelmorin(render({"--plugin", BROKEN_HANGS, "--timeout", "1"}));
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(30));
    expectEndedCleanly(result.exitCode, result.err, "--timeout");
    EXPECT_NE(runVelmorin(render({"--timeout", "-1"})).err.find("--timeout"), std::string::npos);
}

TEST_F(RenderEnds, APlugInThatCrashes) {
    const CommandResult result = runVelmorin(render({"--plugin", BROKEN_CRASHES}));
    expectEndedCleanly(result.exitCode, result.err, "crashed");
}

TEST_F(RenderEnds, NonsenseChannelCountsAndLatencies) {
    const CommandResult huge =
        runVelmorin(render({"--plugin", BROKEN_HUGE_LATENCY, "--compensate-latency"}));
    expectEndedCleanly(huge.exitCode, huge.err, "latency");

    // Eight channels and a negative latency: the first two channels render,
    // nothing is dropped.
    const CommandResult eight =
        runVelmorin(render({"--plugin", BROKEN_EIGHT_CHANNELS, "--compensate-latency"}));
    ASSERT_EQ(eight.exitCode, 0) << eight.err;
    const AudioBuffer out = readAudioFile(output_);
    EXPECT_EQ(out.frames(), 44100u * 4);
    EXPECT_EQ(out.left.back(), 0.25f);
}

}  // namespace
