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
