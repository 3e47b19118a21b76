#include "Thread.h"

#include "Application.h"
#include "ClassTable.h"
#include "GuiThread.h"

#include <cstdlib>
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

struct RetiredHooks {
    std::mutex mutex;
    std::vector<std::unique_ptr<const std::function<void()>>> hooks;
};

struct RunningThread {
    std::thread thread;
    std::atomic<bool> done{false};
};

struct ThreadList {
    std::mutex mutex;
    std::list<RunningThread> threads;
};

// Neither is ever destroyed. The process may end through exit() from inside Qt
// (the display went away) while drawing threads still run; a destroyed list of
// joinable threads would abort it, and a destroyed hook would be called after its
// end. The exit handler joins the threads before anything they use goes.
RetiredHooks& Retired() {
    static RetiredHooks& retired = *new RetiredHooks;
    return retired;
}

ThreadList& Started() {
    static ThreadList& list = *new ThreadList;
    return list;
}

// Joins the threads that have finished; the caller holds the list's mutex.
void ReapFinished(std::list<RunningThread>& threads) {
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
    InstallExitHandler();
    ThreadList& list = Started();
    std::lock_guard lock(list.mutex);
    ReapFinished(list.threads);
    RunningThread& entry = list.threads.emplace_back();
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
    RetiredHooks& retired = Retired();
    std::lock_guard lock(retired.mutex);
    const std::function<void()>* next = nullptr;
    if (h) {
        retired.hooks.push_back(std::make_unique<const std::function<void()>>(std::move(h)));
        next = retired.hooks.back().get();
    }
    hook.store(next, std::memory_order_release);
}

void StopThreadsAtExit() {
    RefuseGuiJobs();
    SetUserCancelled(true);
    JoinAllThreads();
}

void InstallExitHandler() {
    static std::once_flag installed;
    std::call_once(installed, [] { std::atexit([] { StopThreadsAtExit(); }); });
}

void JoinAllThreads() {
    ThreadList& list = Started();
    std::list<RunningThread> all;
    {
        std::lock_guard lock(list.mutex);
        all.splice(all.end(), list.threads);
    }
    const std::thread::id self = std::this_thread::get_id();
    for (auto it = all.begin(); it != all.end();) {
        if (it->thread.get_id() == self) {
            // A thread cannot wait for itself; it stays listed for the next join.
            std::lock_guard lock(list.mutex);
            list.threads.splice(list.threads.end(), all, it++);
        } else {
            it->thread.join();
            ++it;
        }
    }
}

int RunningThreadCount() {
    ThreadList& list = Started();
    std::lock_guard lock(list.mutex);
    int n = 0;
    for (auto& r : list.threads) n += r.done.load(std::memory_order_acquire) ? 0 : 1;
    return n;
}

}  // namespace qv
