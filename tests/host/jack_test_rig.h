// What the live tests drive velmorin live with: a JACK server of their own
// on the dummy driver (no sound card), the command running beside the test,
// and two clients of the test, one playing a signal into velmorin's inputs
// and one recording its outputs, both in the graph's same period.
#pragma once

#include <jack/jack.h>
#include <sys/types.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// jackd -d dummy under a server name of its own, which this process and
// every program it starts use from then on. Synchronous (-S): a period ends
// when every client has run, so on a loaded machine a late client delays
// the graph instead of losing a period, and it waits long for a client
// (-t), which a loaded machine may keep waiting. Stopped when destroyed.
class JackServer {
  public:
    explicit JackServer(int period);
    ~JackServer();
    JackServer(const JackServer&) = delete;
    JackServer& operator=(const JackServer&) = delete;

    // Waits until no client of that name is left: a client whose program
    // ended goes a moment later, and a new one should not meet it.
    bool waitUntilGone(const std::string& client) const;

  private:
    pid_t pid_ = -1;
    jack_client_t* watcher_ = nullptr;
    std::filesystem::path log_;
};

// A program running beside the test, its output kept in files.
class Spawned {
  public:
    Spawned(const std::string& program, const std::vector<std::string>& arguments,
            const std::filesystem::path& folder);
    ~Spawned();
    Spawned(const Spawned&) = delete;
    Spawned& operator=(const Spawned&) = delete;

    // Sends SIGNAL and waits for the end; the exit code, -1 for a signal death.
    int stop(int signal);
    std::string out() const;
    std::string err() const;

  private:
    pid_t pid_ = -1;
    std::filesystem::path out_;
    std::filesystem::path err_;
};

// One test client: "player" with out_1 and out_2, or "recorder" with in_1
// and in_2. Armed, the player plays SIGNAL once from its next period and the
// recorder records its next CAPACITY frames; each notes the frame time of
// its first period.
class TapClient {
  public:
    TapClient(const char* name, bool plays, std::vector<float> left, std::vector<float> right,
              std::size_t capacity);
    ~TapClient();
    TapClient(const TapClient&) = delete;
    TapClient& operator=(const TapClient&) = delete;

    jack_client_t* client() const { return client_; }
    void arm() { armed_ = true; }
    bool done() const { return done_; }
    std::size_t position() const { return position_; }
    jack_nframes_t firstFrame() const { return firstFrame_; }
    const std::vector<float>& left() const { return left_; }
    const std::vector<float>& right() const { return right_; }

  private:
    static int process(jack_nframes_t frames, void* self);

    jack_client_t* client_ = nullptr;
    jack_port_t* ports_[2] = {};
    bool plays_;
    std::vector<float> left_;
    std::vector<float> right_;
    std::atomic<bool> armed_{false};
    std::atomic<bool> done_{false};
    std::atomic<std::size_t> position_{0};
    std::atomic<jack_nframes_t> firstFrame_{0};
};

// Waits up to SECONDS for CONDITION; whether it came true.
bool waitFor(const std::function<bool()>& condition, double seconds);
