// The Windows build's own WAV codec agrees with libsndfile on the files each
// of them writes.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>

#include "audio_codec.h"
#include "host_error.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

AudioBuffer testSignal() {
    AudioBuffer audio;
    audio.sampleRate = 32000;
    audio.resize(3001);  // odd: 24-bit mono data ends on an odd byte
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        audio.left[i] = 0.99f * std::sin(0.003f * static_cast<float>(i * i % 7919));
        audio.right[i] = -0.5f * audio.left[i];
    }
    return audio;
}

// Writes the signal with libsndfile (mono: the left channel only) and returns
// what libsndfile reads back from it.
std::vector<float> writeWithSndfile(const std::filesystem::path& path, int format, int channels) {
    const AudioBuffer audio = testSignal();
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> interleaved;
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        interleaved.push_back(audio.left[i]);
        if (channels == 2) interleaved.push_back(audio.right[i]);
    }
    sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(audio.frames()));
    sf_close(file);

    file = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<float> back(interleaved.size());
    sf_readf_float(file, back.data(), info.frames);
    sf_close(file);
    return back;
}

TEST(WavCodec, ReadsWhatLibsndfileWrites) {
    TempFolder folder;
    const std::pair<int, int> kinds[] = {
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2},   {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1},  {SF_FORMAT_WAV | SF_FORMAT_PCM_32, 2},
        {SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 2}, {SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 2}};
    for (const auto& [format, channels] : kinds) {
        SCOPED_TRACE(format);
        const auto path = folder / "in.wav";
        const std::vector<float> expected = writeWithSndfile(path, format, channels);
        const DecodedAudio decoded = decodeAudio(path, "input");
        EXPECT_EQ(decoded.sampleRate, 32000);
        EXPECT_EQ(decoded.channels, channels);
        EXPECT_EQ(decoded.interleaved, expected);
    }
}

TEST(WavCodec, WritesWhatLibsndfileReads) {
    TempFolder folder;
    const AudioBuffer audio = testSignal();
    const std::pair<SampleFormat, float> formats[] = {{SampleFormat::float32, 0.0f},
                                                      {SampleFormat::pcm24, 1.0f / (1 << 23)},
                                                      {SampleFormat::pcm16, 1.0f / (1 << 15)}};
    for (const auto& [format, step] : formats) {
        const auto path = folder / "out.wav";
        encodeWav(path, audio, format, "output");
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        EXPECT_EQ(info.samplerate, 32000);
        ASSERT_EQ(info.channels, 2);
        ASSERT_EQ(info.frames, static_cast<sf_count_t>(audio.frames()));
        std::vector<float> back(audio.frames() * 2);
        sf_readf_float(file, back.data(), info.frames);
        sf_close(file);
        for (std::size_t i = 0; i < audio.frames(); ++i) {
            ASSERT_NEAR(back[2 * i], audio.left[i], step) << i;
            ASSERT_NEAR(back[2 * i + 1], audio.right[i], step) << i;
        }
    }
}

TEST(WavCodec, RefusesWhatIsNotWav) {
    TempFolder folder;
    const auto path = folder / "text.wav";
    std::ofstream(path) << "RIFF but not really";
    EXPECT_THROW(decodeAudio(path, "input"), HostError);
    const char dataFirst[] = "RIFF\x0c\0\0\0WAVEdata\0\0\0\0";
    std::ofstream(path, std::ios::binary).write(dataFirst, sizeof dataFirst - 1);
    EXPECT_THROW(decodeAudio(path, "input"), HostError);  // data before any format
}

}  // namespace
