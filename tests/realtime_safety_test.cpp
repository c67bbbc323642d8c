// The audio thread must never wait: processReplacing allocates nothing, takes
// no lock and makes no system call, on every program and with the settings
// that switch on the rarer branches. Each is counted on the processing thread
// only: replacement allocation functions, interposed lock functions, and a
// seccomp filter that turns every system call of that thread into a signal.
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <new>
#include <thread>

#include "params/parameter_table.h"
#include "params/program_bank.h"
#include "support/direct_effect.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMORIN_SANITIZED 1  // the sanitizers own malloc and make calls of their own
#endif
#if defined(__linux__) && defined(__x86_64__) && !defined(VELMORIN_SANITIZED)
#define VELMORIN_TRAP_SYSTEM_CALLS 1
#include <dlfcn.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#endif

namespace {

thread_local bool counting = false;
std::atomic<long> allocations{0}, locks{0}, systemCalls{0};

void countAllocation() {
    if (counting) allocations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

void* operator new(std::size_t size) {
    countAllocation();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

#ifdef VELMORIN_TRAP_SYSTEM_CALLS
template <typename F>
F nextDefinition(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// The C library's own entries, under the names it exports for interposers.
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);

void* malloc(std::size_t size) {
    countAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    countAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    countAllocation();
    return __libc_realloc(p, size);
}

int pthread_mutex_lock(pthread_mutex_t* m) {
    if (counting) locks.fetch_add(1, std::memory_order_relaxed);
    static auto next = nextDefinition<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
    return next(m);
}
int pthread_mutex_trylock(pthread_mutex_t* m) {
    if (counting) locks.fetch_add(1, std::memory_order_relaxed);
    static auto next = nextDefinition<int (*)(pthread_mutex_t*)>("pthread_mutex_trylock");
    return next(m);
}
int pthread_rwlock_rdlock(pthread_rwlock_t* l) {
    if (counting) locks.fetch_add(1, std::memory_order_relaxed);
    static auto next = nextDefinition<int (*)(pthread_rwlock_t*)>("pthread_rwlock_rdlock");
    return next(l);
}
int pthread_rwlock_wrlock(pthread_rwlock_t* l) {
    if (counting) locks.fetch_add(1, std::memory_order_relaxed);
    static auto next = nextDefinition<int (*)(pthread_rwlock_t*)>("pthread_rwlock_wrlock");
    return next(l);
}
}

namespace {

void onSystemCall(int, siginfo_t*, void* context) {
    systemCalls.fetch_add(1, std::memory_order_relaxed);
    // The call did not happen; it fails as an unknown call would.
    static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_RAX] = -ENOSYS;
}

// From here on every system call of this thread traps, except the return from
// the trap's handler and the thread's own end.
bool trapSystemCallsOfThisThread() {
    struct sigaction action {};
    action.sa_sigaction = onSystemCall;
    action.sa_flags = SA_SIGINFO;
    sigaction(SIGSYS, &action, nullptr);
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_rt_sigreturn, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_exit, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &program) == 0;
}

}  // namespace
#endif

namespace {

struct Counts {
    long allocations, locks, systemCalls;
};

// Runs each job on a thread of its own that counts, and (where the platform
// allows) traps system calls. The thread waits for its jobs by spinning, since
// waiting any other way is a system call; it ends with a bare exit call.
class CountingThread {
  public:
    CountingThread() {
        thread_ = std::thread([this] { loop(); });
        while (state_.load() == kStarting) std::this_thread::yield();
    }
    ~CountingThread() {
        state_.store(kStop);
        thread_.join();
    }
    bool trapsSystemCalls() const { return state_.load() != kNoTrap; }

    Counts run(const std::function<void()>& job) {
        allocations = locks = systemCalls = 0;
        job_ = &job;
        state_.store(kJob);
        while (state_.load() == kJob) std::this_thread::yield();
        return {allocations.load(), locks.load(), systemCalls.load()};
    }

  private:
    enum State { kStarting, kIdle, kNoTrap, kJob, kStop };

    void loop() {
        bool trapping = false;
#ifdef VELMORIN_TRAP_SYSTEM_CALLS
        // This thread's first allocation maps its memory arena: done before
        // the trap, so the counters' own check can allocate.
        static void* volatile warmUp;
        warmUp = std::malloc(64);
        std::free(warmUp);
        trapping = trapSystemCallsOfThisThread();
#endif
        const State idle = trapping ? kIdle : kNoTrap;
        state_.store(idle);
        for (;;) {
            const State s = state_.load();
            if (s == kStop) break;
            if (s != kJob) continue;
            counting = true;
            (*job_)();
            counting = false;
            state_.store(idle);
        }
#ifdef VELMORIN_TRAP_SYSTEM_CALLS
        if (trapping) syscall(SYS_exit, 0);  // the C library's thread end makes other calls
#endif
    }

    std::atomic<State> state_{kStarting};
    const std::function<void()>* job_ = nullptr;
    std::thread thread_;
};

// Settings that reach the branches the programs alone leave out.
const std::vector<std::pair<int32_t, float>> kParameterSets[] = {
    {},
    {{velmorin::kDither, 1.0f}, {velmorin::kNormalize, 1.0f}},
    {{velmorin::kLookAhead, 0.0f}, {velmorin::kHighAtk, 1.0f}, {velmorin::kLowAtk, 1.0f}},
    {{velmorin::kMidOn, 0.0f}, {velmorin::kLowBypass, 1.0f}, {velmorin::kThrLimiter, 48.0f}},
    {{velmorin::kBypass, 1.0f}},
};

}  // namespace

TEST(RealtimeSafety, TheCountersSeeAllocationsLocksAndSystemCalls) {
    CountingThread thread;
    std::mutex mutex;
    const Counts counts = thread.run([&] {
        // Kept in a volatile place, so the compiler cannot drop the pairs.
        static int* volatile object;
        static void* volatile block;
        object = new int(1);
        delete object;
        block = std::malloc(8);
        std::free(block);
        std::lock_guard<std::mutex> hold(mutex);
        (void)getppid();
    });
    EXPECT_GE(counts.allocations, 1);
#ifdef VELMORIN_TRAP_SYSTEM_CALLS
    EXPECT_GE(counts.allocations, 3);  // new reaches malloc too
    EXPECT_EQ(counts.locks, 1);
    if (thread.trapsSystemCalls()) {
        EXPECT_GE(counts.systemCalls, 1);
    }
#endif
}

TEST(RealtimeSafety, ProcessingNeitherAllocatesNorLocksNorCallsTheSystem) {
    CountingThread thread;
#ifdef VELMORIN_TRAP_SYSTEM_CALLS
    if (!thread.trapsSystemCalls())
        std::fprintf(stderr, "seccomp refused: system calls not counted\n");
#endif
    auto signal = sine(180.0f, 0.9f, 2048);
    for (size_t n = 0; n < signal.size(); n += 7) signal[n] += 0.5f;  // transients
    std::vector<float> left(signal), right(signal.size()), outLeft(signal.size()),
        outRight(signal.size());
    for (size_t n = 0; n < right.size(); ++n) right[n] = 0.3f * signal[(n * 3) % signal.size()];
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    float* inPlace[2] = {left.data(), right.data()};

    DirectEffect effect;
    for (int32_t program = 0; program < velmorin::kNumPrograms; ++program) {
        for (const auto& settings : kParameterSets) {
            effect.setProgram(program);
            for (const auto& [index, value] : settings) effect.setParameter(index, value);
            const Counts counts = thread.run([&] {
                for (int32_t frames : {2048, 1, 0, 441, 1000}) {
                    effect.processReplacing(inputs, outputs, frames);
                    effect.processReplacing(inPlace, inPlace, frames);
                }
            });
            EXPECT_EQ(counts.allocations, 0) << "program " << program;
            EXPECT_EQ(counts.locks, 0) << "program " << program;
            EXPECT_EQ(counts.systemCalls, 0) << "program " << program;
        }
    }
}
