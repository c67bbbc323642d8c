#include "interruption.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#ifdef _WIN32
#include <io.h>
#define VELMORIN_UNLINK _unlink
#define VELMORIN_WRITE _write
#else
#include <unistd.h>
#define VELMORIN_UNLINK unlink
#define VELMORIN_WRITE write
#endif

namespace velmorin::host {

namespace {

// Read by the signal handler: a fixed buffer and a flag, nothing that allocates.
char pendingPath[4096];
volatile std::sig_atomic_t havePending = 0;
volatile std::sig_atomic_t endAsked = 0;

void removePendingFile() {
    if (havePending) VELMORIN_UNLINK(pendingPath);
}

void writeError(const char* text) {
    (void)!VELMORIN_WRITE(2, text, static_cast<unsigned>(std::strlen(text)));
}

extern "C" void onInterrupt(int signal) {
    removePendingFile();
    writeError(signal == SIGINT ? "velmorin: interrupted (SIGINT), no output written\n"
                                : "velmorin: terminated (SIGTERM), no output written\n");
    std::_Exit(128 + signal);
}

// A hosted plug-in may crash the process; say so in one line instead of dying
// without a word.
extern "C" void onCrash(int signal) {
    removePendingFile();
    writeError(signal == SIGSEGV ? "velmorin: crashed (SIGSEGV), most likely in the plug-in; no "
                                   "output written\n"
                                 : "velmorin: crashed, most likely in the plug-in; no output "
                                   "written\n");
    std::_Exit(128 + signal);
}

}  // namespace

void installInterruptionHandlers() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    for (int crash : {SIGSEGV, SIGILL, SIGFPE}) std::signal(crash, onCrash);
#ifdef SIGBUS
    std::signal(SIGBUS, onCrash);
#endif
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void endOnRequest() {
    std::signal(SIGINT, [](int) { endAsked = 1; });
    std::signal(SIGTERM, [](int) { endAsked = 1; });
}

bool endRequested() {
    return endAsked != 0;
}

void setPendingFile(const std::filesystem::path& path) {
    havePending = 0;
    const std::string text = path.string();
    if (text.size() >= sizeof pendingPath) return;  // such a path cannot be created anyway
    std::memcpy(pendingPath, text.c_str(), text.size() + 1);
    havePending = 1;
}

void clearPendingFile() {
    havePending = 0;
}

struct Deadline::Watch {
    std::mutex mutex;
    std::condition_variable changed;
    bool over = false;
    std::thread thread;
};

Deadline::Deadline(double seconds, std::string what) {
    if (!(seconds > 0)) return;
    watch_ = std::make_unique<Watch>();
    watch_->thread = std::thread([watch = watch_.get(), seconds, what = std::move(what)] {
        std::unique_lock<std::mutex> lock(watch->mutex);
        const auto limit = std::chrono::duration<double>(seconds);
        if (watch->changed.wait_for(lock, limit, [watch] { return watch->over; })) return;
        // The render is stuck or too slow: the process ends here, whatever
        // the plug-in is doing.
        removePendingFile();
        std::fprintf(stderr, "velmorin: %s: not finished after the --timeout of %g s\n",
                     what.c_str(), seconds);
        std::fflush(stderr);
        std::_Exit(1);
    });
}

Deadline::~Deadline() {
    if (!watch_) return;
    {
        std::lock_guard<std::mutex> lock(watch_->mutex);
        watch_->over = true;
    }
    watch_->changed.notify_one();
    watch_->thread.join();
}

}  // namespace velmorin::host
