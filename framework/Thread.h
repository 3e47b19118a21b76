// Threads: Run starts a real OS thread that raises the thread's "Run" event.
#pragma once

#include "Object.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace qv {

class Thread : public Object {
public:
    static ClassRef Lookup();

    // Starts the thread; returns at once. The running thread holds a reference to
    // this object until its "Run" event has returned. When the system refuses a new
    // thread, std::system_error is thrown and the object is left not running.
    void Run();
    bool Running() const { return running_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> running_{false};
};

namespace detail {

inline std::atomic<bool> userCancelled{false};

// A thread's count of RuntimeBackgroundTask calls, on a cache line of its own.
// Only its thread writes it; BackgroundTaskPasses reads every thread's.
struct alignas(64) PassCount {
    std::atomic<uint64_t> passes{0};
    enum : uint8_t { Unlisted, Listed, Ended } state = Unlisted;  // its thread's alone
};
// Constant-initialised, so reaching it needs no guard.
inline thread_local PassCount passCount;
inline std::atomic<const std::function<void()>*> backgroundTaskHook{nullptr};
// RuntimeBackgroundTask's rare road: on a thread's first call it lists the thread's
// count, and on every kYieldEvery-th call after that it yields.
constexpr uint64_t kYieldEvery = 4096;
void EveryFewPasses(PassCount& count);

}  // namespace detail

// True once the application has begun to quit. Loops test it every pass.
inline bool UserCancelled() { return detail::userCancelled.load(std::memory_order_acquire); }
void SetUserCancelled(bool cancelled);

// A yield point for long loops, called once a pass: a test of the hook and a
// count in the common case. Drawing threads run at a lower priority, so the
// scheduler already keeps the GUI ahead of them; a real yield now and then keeps
// many of them fair to each other.
inline void RuntimeBackgroundTask() {
    if (const auto* h = detail::backgroundTaskHook.load(std::memory_order_acquire)) [[unlikely]]
        (*h)();
    detail::PassCount& count = detail::passCount;
    // One writer: a load and a store count without a locked instruction.
    const uint64_t passes = count.passes.load(std::memory_order_relaxed) + 1;
    count.passes.store(passes, std::memory_order_relaxed);
    if (passes % detail::kYieldEvery == 1) [[unlikely]]
        detail::EveryFewPasses(count);
}
// Every call of RuntimeBackgroundTask so far, on every thread, ended ones included.
uint64_t BackgroundTaskPasses();
// Tests observe or steer a loop through this hook, called on every yield.
void SetBackgroundTaskHook(std::function<void()> hook);

// The road out when the process ends through exit() instead of RuntimeExit, as Qt
// ends it when the display goes away: the GUI thread takes no more jobs,
// UserCancelled becomes True and every thread started by Run is joined; Qt's
// objects are left as they are. InstallExitHandler registers it with atexit once,
// late enough that it runs before the statics the threads use are destroyed; it
// is called when the event loop first runs and when a thread first starts.
void StopThreadsAtExit();
void InstallExitHandler();

// Waits for every thread started by Run to end (a thread that calls it is not
// waited for: it cannot wait for itself).
void JoinAllThreads();
int RunningThreadCount();

}  // namespace qv
