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

// Waits for every thread started by Run to end.
void JoinAllThreads();
int RunningThreadCount();

}  // namespace qv
