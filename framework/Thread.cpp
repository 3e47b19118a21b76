#include "Thread.h"

#include "Application.h"
#include "ClassTable.h"
#include "GuiThread.h"

#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qv {
namespace {

std::atomic<bool> userCancelled{false};

// Read on every pass of every drawing thread, so reading it takes no lock.
std::atomic<std::shared_ptr<const std::function<void()>>> hook;
std::atomic<bool> hasHook{false};

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
    if (hasHook.load(std::memory_order_acquire)) {
        if (auto h = hook.load(std::memory_order_acquire); h && *h) (*h)();
    }
    // A real yield now and then keeps many drawing threads fair to each other.
    thread_local unsigned passes = 0;
    if ((++passes & 63u) == 0) std::this_thread::yield();
}

void SetBackgroundTaskHook(std::function<void()> h) {
    const bool any = static_cast<bool>(h);
    hook.store(any ? std::make_shared<const std::function<void()>>(std::move(h)) : nullptr, std::memory_order_release);
    hasHook.store(any, std::memory_order_release);
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
