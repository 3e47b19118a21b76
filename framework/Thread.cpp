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

// A replaced background-task hook is kept until the process ends, since a thread
// may still be running it; tests set only a handful.
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

// The pass counts of the threads that run, and the sum of those that have ended.
struct PassCounts {
    std::mutex mutex;
    std::vector<const detail::PassCount*> listed;
    uint64_t ended = 0;
};

PassCounts& Counts() {
    static PassCounts& counts = *new PassCounts;
    return counts;
}

// Made on a thread's first pass; when the thread ends, its count joins the sum of
// the ended ones. Passes made after that, in code that runs as the thread exits,
// are not counted.
struct PassCountRelease {
    ~PassCountRelease() {
        detail::PassCount& count = detail::passCount;
        count.state = detail::PassCount::Ended;
        PassCounts& all = Counts();
        std::lock_guard lock(all.mutex);
        std::erase(all.listed, &count);
        all.ended += count.passes.load(std::memory_order_relaxed);
    }
};

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
    // Until the thread has started, a failure to start it clears the flag again.
    struct ClearUnlessStarted {
        std::atomic<bool>& running;
        bool started = false;
        ~ClearUnlessStarted() {
            if (!started) running.store(false, std::memory_order_release);
        }
    } flag{running_};
    InstallExitHandler();
    // The entry is made apart and joins the list only once its thread exists: when the
    // system refuses a thread (a process or pids limit), std::thread throws and the
    // entry goes with this list, leaving nothing behind for JoinAllThreads.
    std::list<RunningThread> pending;
    RunningThread& entry = pending.emplace_back();
    ThreadList& list = Started();
    std::lock_guard lock(list.mutex);
    ReapFinished(list.threads);
    entry.thread = std::thread([self = Ref<Thread>(this), &entry]() mutable {
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
    flag.started = true;
    list.threads.splice(list.threads.end(), pending);
}

void SetUserCancelled(bool cancelled) { detail::userCancelled.store(cancelled, std::memory_order_release); }

namespace detail {

void EveryFewPasses(PassCount& count) {
    if (count.state == PassCount::Unlisted) {
        thread_local PassCountRelease release;
        count.state = PassCount::Listed;
        PassCounts& all = Counts();
        std::lock_guard lock(all.mutex);
        all.listed.push_back(&count);
        return;
    }
    std::this_thread::yield();
}

}  // namespace detail

uint64_t BackgroundTaskPasses() {
    PassCounts& all = Counts();
    std::lock_guard lock(all.mutex);
    uint64_t total = all.ended;
    for (const detail::PassCount* count : all.listed) total += count->passes.load(std::memory_order_relaxed);
    return total;
}

void SetBackgroundTaskHook(std::function<void()> h) {
    RetiredHooks& retired = Retired();
    std::lock_guard lock(retired.mutex);
    const std::function<void()>* next = nullptr;
    if (h) {
        retired.hooks.push_back(std::make_unique<const std::function<void()>>(std::move(h)));
        next = retired.hooks.back().get();
    }
    detail::backgroundTaskHook.store(next, std::memory_order_release);
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
