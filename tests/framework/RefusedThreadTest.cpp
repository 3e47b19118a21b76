// New threads refused by the system, as a per-user process limit or a container's
// pids limit refuses them. These cases run in a ctest of their own, with a preloaded
// pthread_create that fails while the file named by QUILLEVARD_REFUSE_THREADS_WHILE
// exists (tests/support/RefuseThreads.cpp); without it they are skipped.
#include "ScriptedWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <system_error>
#include <thread>

namespace qv {
namespace {

using testing::ScriptedWindowTest;

class Worker : public Thread {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Thread::Lookup, [](ClassTable& t) {
            t.name = "RefusedThreadTest.Worker";
            t.factory = FactoryOf<Worker>();
            t.Bind("Run", [](Object& self) { static_cast<Worker&>(self).body(); });
        });
    }
    std::function<void()> body;
};

class RefusedThreadTest : public ScriptedWindowTest {
protected:
    void SetUp() override {
        flag_ = std::getenv("QUILLEVARD_REFUSE_THREADS_WHILE");
        if (!flag_ || !*flag_) GTEST_SKIP() << "runs with the thread-refusing preload library only";
        ScriptedWindowTest::SetUp();
    }
    void TearDown() override {
        if (!flag_ || !*flag_) return;
        Refuse(false);
        ScriptedWindowTest::TearDown();
    }

    void Refuse(bool refused) {
        if (!refused) {
            std::remove(flag_);
        } else if (std::FILE* f = std::fopen(flag_, "w")) {
            std::fclose(f);
        }
    }

    Ref<Worker> NewWorker(std::function<void()> body) {
        Ref<Worker> w = RuntimeNewObject<Worker>();
        w->body = std::move(body);
        return w;
    }

    const char* flag_ = nullptr;
};

TEST_F(RefusedThreadTest, ARefusedThreadLeavesNothingBehindAndThoseStartedAreJoined) {
    std::atomic<bool> release{false}, finished{false};
    Ref<Worker> started = NewWorker([&] {
        while (!release) std::this_thread::yield();
        finished = true;
    });
    started->Run();

    Ref<Worker> refused = NewWorker([] {});
    Refuse(true);
    try {
        refused->Run();
        ADD_FAILURE() << "Run started a thread while threads were refused";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::errc::resource_unavailable_try_again) << e.what();
    }
    Refuse(false);
    EXPECT_FALSE(refused->Running());
    EXPECT_EQ(RunningThreadCount(), 1) << "only the thread that started is listed";

    release = true;
    EXPECT_NO_THROW(JoinAllThreads());
    EXPECT_TRUE(finished);
    EXPECT_EQ(RunningThreadCount(), 0);

    std::atomic<bool> ran{false};
    refused->body = [&] { ran = true; };
    refused->Run();  // the object is not left marked as running
    JoinAllThreads();
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace qv
