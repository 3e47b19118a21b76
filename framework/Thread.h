// Threads: Run starts a real OS thread that raises the thread's "Run" event.
#pragma once

#include "Object.h"

#include <atomic>
#include <functional>

namespace qv {

class Thread : public Object {
public:
    static ClassRef Lookup();

    // Starts the thread; returns at once. The running thread holds a reference to
    // this object until its "Run" event has returned.
    void Run();
    bool Running() const { return running_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> running_{false};
};

// True once the application has begun to quit.
bool UserCancelled();
void SetUserCancelled(bool cancelled);

// A yield point for long loops: cheap, with no system call in the common case.
void RuntimeBackgroundTask();
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
