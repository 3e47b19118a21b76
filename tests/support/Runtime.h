// A fixture that brings the runtime up for one test and down again after it.
#pragma once

#include "Framework.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace qv::testing {

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeInit();
        InitFrameworkClassTables();
    }
    void TearDown() override {
        SetBackgroundTaskHook(nullptr);
        ReleaseImplicitWindowList();
        ReleaseWindowList();
        RuntimeExit();
    }
};

// A thread whose "Run" event runs the body the test gives it.
class Worker : public Thread {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Thread::Lookup, [](ClassTable& t) {
            t.name = "testing.Worker";
            t.factory = FactoryOf<Worker>();
            t.AddVirtual("Event_Run");
            t.Bind("Run", [](Object& self) { static_cast<Worker&>(self).body(); });
        });
    }
    std::function<void()> body;
};

// A worker with that body, not yet started.
inline Ref<Worker> NewWorker(std::function<void()> body) {
    Ref<Worker> w = RuntimeNewObject<Worker>();
    w->body = std::move(body);
    return w;
}

// Runs the GUI thread's events until the condition holds or a generous limit passes.
// The limit only keeps a broken build from hanging; no test depends on timing.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ProcessEvents();
    return true;
}

}  // namespace qv::testing
