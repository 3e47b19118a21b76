#include "Thread.h"

#include "Application.h"
#include "ClassTable.h"
#include "GuiThread.h"

#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qv {
namespace {

std::atomic<bool> userCancelled{false};

// Read on every pass of every drawing thread, so reading it is one plain atomic
// load. A replaced hook is kept until the process ends, since a thread may still
// be running it; tests set only a handful.
std::atomic<const std::function<void()>*> hook{nullptr};
std::mutex retiredHooksMutex;
std::vector<std::unique_ptr<const std::function<void()>>> retiredHooks;

struct RunningThread {
    std::thread thread;
    std::atomic<bool> done{false};
};

std::mutex threadsMutex;
std::list<RunningThread> threads;

// Joins the threads that have finished; the caller holds threadsMutex.
void ReapFinished() {
    for (auto it = threads.begin(); it != threads.end();) {
        if (it->done.load(std::memory_order_acquire)) {
            it->thread.join();
            it = threads.erase(it);
        } else {
            ++it;
        }
    }
}

void LowerPriority() {
    // On Linux the nice value is per thread: drawing threads yield the CPU to the GUI.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
}

}  // namespace

ClassRef Thread::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Thread";
        t.factory = FactoryOf<Thread>();
        t.vtable = {"Run", "Suspend", "Resume", "Sleep", "Kill", "__DependencyList"};
        t.events = {"Run"};
    });
}

void Thread::Run() {
    if (running_.exchange(true)) return;
    std::lock_guard lock(threadsMutex);
    ReapFinished();
    RunningThread& entry = threads.emplace_back();
    Ref<Thread> self(this);
    entry.thread = std::thread([self = std::move(self), &entry]() mutable {
        LowerPriority();
        try {
            RaiseEvent(*self, "Run");
        } catch (...) {
            ReportThreadException(std::current_exception());
        }
        self->running_.store(false, std::memory_order_release);
        self = nullptr;
        entry.done.store(true, std::memory_order_release);
    });
}

bool UserCancelled() { return userCancelled.load(std::memory_order_acquire); }
void SetUserCancelled(bool cancelled) { userCancelled.store(cancelled, std::memory_order_release); }

void RuntimeBackgroundTask() {
    if (const auto* h = hook.load(std::memory_order_acquire)) (*h)();
    // A real yield now and then keeps many drawing threads fair to each other.
    thread_local unsigned passes = 0;
    if ((++passes & 63u) == 0) std::this_thread::yield();
}

void SetBackgroundTaskHook(std::function<void()> h) {
    std::lock_guard lock(retiredHooksMutex);
    const std::function<void()>* next = nullptr;
    if (h) {
        retiredHooks.push_back(std::make_unique<const std::function<void()>>(std::move(h)));
        next = retiredHooks.back().get();
    }
    hook.store(next, std::memory_order_release);
}

void JoinAllThreads() {
    std::list<RunningThread> all;
    {
        std::lock_guard lock(threadsMutex);
        all.splice(all.end(), threads);
    }
    for (auto& r : all) r.thread.join();
}

int RunningThreadCount() {
    std::lock_guard lock(threadsMutex);
    int n = 0;
    for (auto& r : threads) n += r.done.load(std::memory_order_acquire) ? 0 : 1;
    return n;
}

}  // namespace qv
