#include "jack_test_rig.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "run_velmorin.h"

extern char** environ;

namespace {

pid_t spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::filesystem::path& out, const std::filesystem::path& err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + program);
    return pid;
}

// The exit code, -1 after a signal; the process is killed after 20 s.
int waitForExit(pid_t pid) {
    int status = 0;
    const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 20.0);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool waitFor(const std::function<bool()>& condition, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

JackServer::JackServer(int period) {
    const std::string name = "velmorin-test-" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);  // no session bus to ask for devices
    log_ = std::filesystem::temp_directory_path() / (name + ".log");
    // Until the server is up every probe fails, which the library would print.
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
    pid_ = spawn("jackd",
                 {"-S", "-t", "10000", "-n", name, "-d", "dummy", "-r", "48000", "-p",
                  std::to_string(period)},
                 log_, log_);
    const bool up = waitFor(
        [this] {
            watcher_ = jack_client_open("watcher", JackNoStartServer, nullptr);
            return watcher_ != nullptr;
        },
        20.0);
    if (!up) throw std::runtime_error("jackd did not start: " + fileBytes(log_));
}

bool JackServer::waitUntilGone(const std::string& client) const {
    return waitFor(
        [&] {
            const char** ports = jack_get_ports(watcher_, ("^" + client + ":").c_str(), nullptr, 0);
            jack_free(ports);
            return ports == nullptr;
        },
        20.0);
}

JackServer::~JackServer() {
    if (watcher_) jack_client_close(watcher_);
    kill(pid_, SIGTERM);
    waitForExit(pid_);
    std::filesystem::remove(log_);
}

Spawned::Spawned(const std::string& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& folder)
    : out_(folder / "spawned.out"), err_(folder / "spawned.err") {
    pid_ = spawn(program, arguments, out_, err_);
}

Spawned::~Spawned() {
    if (pid_ > 0) stop(SIGKILL);
}

int Spawned::stop(int signal) {
    kill(pid_, signal);
    const int code = waitForExit(pid_);
    pid_ = -1;
    return code;
}

std::string Spawned::out() const {
    return fileBytes(out_);
}

std::string Spawned::err() const {
    return fileBytes(err_);
}

TapClient::TapClient(const char* name, bool plays, std::vector<float> left,
                     std::vector<float> right, std::size_t capacity)
    : plays_(plays), left_(std::move(left)), right_(std::move(right)) {
    if (!plays) {
        left_.assign(capacity, 0.0f);
        right_.assign(capacity, 0.0f);
    }
    client_ = jack_client_open(name, JackNoStartServer, nullptr);
    if (!client_) throw std::runtime_error(std::string("cannot open the client ") + name);
    const char* const names[2][2] = {{"in_1", "in_2"}, {"out_1", "out_2"}};
    for (int channel = 0; channel < 2; ++channel) {
        ports_[channel] =
            jack_port_register(client_, names[plays][channel], JACK_DEFAULT_AUDIO_TYPE,
                               plays ? JackPortIsOutput : JackPortIsInput, 0);
    }
    jack_set_process_callback(client_, process, this);
    jack_activate(client_);
}

TapClient::~TapClient() {
    jack_deactivate(client_);
    jack_client_close(client_);
}

int TapClient::process(jack_nframes_t frames, void* data) {
    auto& self = *static_cast<TapClient*>(data);
    float* buffers[2];
    for (int channel = 0; channel < 2; ++channel)
        buffers[channel] = static_cast<float*>(jack_port_get_buffer(self.ports_[channel], frames));
    if (self.plays_) {
        for (int channel = 0; channel < 2; ++channel)
            std::fill(buffers[channel], buffers[channel] + frames, 0.0f);
    }
    if (!self.armed_ || self.done_) return 0;
    std::size_t at = self.position_;
    if (at == 0) self.firstFrame_ = jack_last_frame_time(self.client_);
    for (jack_nframes_t i = 0; i < frames && at < self.left_.size(); ++i, ++at) {
        if (self.plays_) {
            buffers[0][i] = self.left_[at];
            buffers[1][i] = self.right_[at];
        } else {
            self.left_[at] = buffers[0][i];
            self.right_[at] = buffers[1][i];
        }
    }
    self.position_ = at;
    if (at == self.left_.size()) self.done_ = true;
    return 0;
}
