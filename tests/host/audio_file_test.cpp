// Audio files: the formats written read back as written, mono spreads to both
// channels, and a finished write leaves nothing but the file.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <sys/resource.h>

#include <cmath>
#include <csignal>

#include "audio_file.h"
#include "host_error.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

AudioBuffer ramp(std::size_t frames) {
    AudioBuffer audio;
    audio.sampleRate = 48000;
    audio.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        audio.left[i] = std::sin(0.01f * static_cast<float>(i)) * 0.9f;
        audio.right[i] = -audio.left[i] * 0.5f;
    }
    return audio;
}

float largestDifference(const std::vector<float>& a, const std::vector<float>& b) {
    float largest = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::fabs(a[i] - b[i]));
    return largest;
}

TEST(AudioFile, WritesEachFormatAndReadsItBack) {
    TempFolder folder;
    const AudioBuffer audio = ramp(5000);
    const std::pair<SampleFormat, float> formats[] = {{SampleFormat::float32, 0.0f},
                                                      {SampleFormat::pcm24, 1.0f / (1 << 23)},
                                                      {SampleFormat::pcm16, 1.0f / (1 << 15)}};
    for (const auto& [format, step] : formats) {
        const auto path = folder / "out.wav";
        writeAudioFile(path, audio, format);
        const AudioBuffer back = readAudioFile(path);
        EXPECT_EQ(back.sampleRate, 48000);
        ASSERT_EQ(back.frames(), audio.frames());
        EXPECT_LE(largestDifference(back.left, audio.left), step);
        EXPECT_LE(largestDifference(back.right, audio.right), step);
    }
    EXPECT_EQ(folder.names(), std::set<std::string>{"out.wav"});  // no temporary file left
}

TEST(AudioFile, OverwritesAnExistingOutputOnlyWhenComplete) {
    TempFolder folder;
    const auto path = folder / "out.wav";
    writeAudioFile(path, ramp(100), SampleFormat::float32);
    writeAudioFile(path, ramp(200), SampleFormat::pcm16);
    EXPECT_EQ(readAudioFile(path).frames(), 200u);
    EXPECT_EQ(folder.names(), std::set<std::string>{"out.wav"});
}

// A file size limit makes the write fail part-way, as a full disk does.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a short write, not a kill
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(AudioFile, AWriteThatFailsPartWayKeepsTheOldOutputAndLeavesNoPartialFile) {
    TempFolder folder;
    const auto path = folder / "out.wav";
    writeAudioFile(path, ramp(100), SampleFormat::float32);
    const auto oldSize = std::filesystem::file_size(path);
    for (SampleFormat format : {SampleFormat::float32, SampleFormat::pcm16}) {
        {
            FileSizeLimit limit(64 * 1024);
            EXPECT_THROW(writeAudioFile(path, ramp(100000), format), HostError);
        }
        EXPECT_EQ(std::filesystem::file_size(path), oldSize);
        EXPECT_EQ(readAudioFile(path).frames(), 100u);
        EXPECT_EQ(folder.names(), std::set<std::string>{"out.wav"});
    }
}

TEST(AudioFile, SpreadsMonoToBothChannels) {
    TempFolder folder;
    const auto path = folder / "mono.wav";
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const short samples[] = {0, 16384, -16384, 32767};
    sf_write_short(file, samples, 4);
    sf_close(file);

    const AudioBuffer audio = readAudioFile(path);
    EXPECT_EQ(audio.sampleRate, 22050);
    EXPECT_EQ(audio.left, (std::vector<float>{0.0f, 0.5f, -0.5f, 32767.0f / 32768.0f}));
    EXPECT_EQ(audio.right, audio.left);
}

}  // namespace
