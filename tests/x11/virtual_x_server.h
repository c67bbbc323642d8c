// A private X server for one test: Xvfb on the first free display number
// (never a fixed one), DISPLAY pointing at it while the test runs.
#pragma once

#include <sys/types.h>

#include <string>

class VirtualXServer {
  public:
    struct Options {
        bool sharedMemory = true;  // false: a server without MIT-SHM
    };
    VirtualXServer() : VirtualXServer(Options{}) {}
    explicit VirtualXServer(Options options);
    ~VirtualXServer();  // stops the server if it still runs
    VirtualXServer(const VirtualXServer&) = delete;
    VirtualXServer& operator=(const VirtualXServer&) = delete;

    bool running() const { return pid_ > 0; }
    const std::string& display() const { return display_; }
    // The server goes away at once, as when it crashes.
    void kill();

    static constexpr int kWidth = 1400;
    static constexpr int kHeight = 900;

  private:
    pid_t pid_ = -1;
    std::string display_;
};
