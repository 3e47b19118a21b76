// Shut-down on every road out of the process, and the hand-off of jobs from other
// threads to the GUI thread.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <thread>
#include <vector>

namespace qv {
namespace {

using testing::PumpUntil;
using testing::RunEventLoop;
using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;

std::atomic<int> liveDrawers{0};
std::atomic<int> drawing{0};
std::atomic<int> cancelledDrawers{0};

// A drawing thread that paints into a canvas until the application cancels it.
class Drawer : public Thread {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Thread::Lookup, [](ClassTable& t) {
            t.name = "ShutdownTest.Drawer";
            t.factory = FactoryOf<Drawer>();
            t.Bind("Run", [](Object& self) { static_cast<Drawer&>(self).Draw(); });
        });
    }
    Drawer() { ++liveDrawers; }
    ~Drawer() override { --liveDrawers; }

    void Draw() {
        Ref<Graphics> g = canvas->Graphics();
        ++drawing;
        for (int32_t i = 0; !UserCancelled(); ++i) {
            g->Pixel(i % 20, (i / 20) % 20, RGB(i % 256, i % 256, i % 256));
            RuntimeBackgroundTask();
        }
        ++cancelledDrawers;
    }

    Ref<Canvas> canvas;
};

class Thrower : public Thread {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Thread::Lookup, [](ClassTable& t) {
            t.name = "ShutdownTest.Thrower";
            t.factory = FactoryOf<Thrower>();
            t.Bind("Run", [](Object&) { throw RuntimeException("from a thread"); });
        });
    }
};

constexpr int kDrawers = 6;

class ShutdownTest : public ScriptedWindowTest {
protected:
    void SetUp() override {
        ScriptedWindowTest::SetUp();
        drawing = 0;
        cancelledDrawers = 0;
    }
    void TearDown() override {
        window_ = nullptr;
        ScriptedWindowTest::TearDown();
    }

    // A window with one canvas, and threads drawing into it that nothing but their
    // own running holds.
    void StartDrawing(int threads) {
        Script().list = design::EncodeWindow({{"Width", 60}, {"Height", 60}, {"Resizeable", false}});
        Script().createControls = [](ScriptedWindow& w) {
            CreateControl(w, Canvas::Lookup(), "Canvas1",
                          design::EncodeList(Canvas::Kind(), {{"Name", std::string("Canvas1")}, {"Width", 20}, {"Height", 20}}));
        };
        window_ = ImplicitInstance<ScriptedWindow>();
        for (int i = 0; i < threads; ++i) {
            Ref<Drawer> d = RuntimeNewObject<Drawer>();
            d->canvas = RuntimeCheckCast<Canvas>(RuntimeWindowControlByName(*window_, "Canvas1"));
            d->Run();
        }
    }
    static bool AllDrawing() { return PumpUntil([] { return drawing == kDrawers; }); }

    Ref<ScriptedWindow> window_;
};

// ---- the roads through the event loop ----

struct Road {
    const char* name;
    std::function<void(ScriptedWindow&)> end;  // runs in the loop once every thread draws
    bool raises;
};

void PrintTo(const Road& road, std::ostream* os) { *os << road.name; }

class ShutdownRoadTest : public ShutdownTest, public ::testing::WithParamInterface<Road> {};

TEST_P(ShutdownRoadTest, JoinsEveryDrawingThreadAndReleasesItsObject) {
    StartDrawing(kDrawers);
    bool raised = false;
    try {
        EXPECT_TRUE(RunEventLoop([this] {
            ASSERT_TRUE(AllDrawing());
            GetParam().end(*window_);
        }));
    } catch (const RuntimeException&) {
        raised = true;
    }
    EXPECT_EQ(raised, GetParam().raises);
    EXPECT_EQ(RunningThreadCount(), 0);
    EXPECT_EQ(cancelledDrawers, kDrawers) << "every thread saw UserCancelled and ended its loop";
    EXPECT_EQ(liveDrawers, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Roads, ShutdownRoadTest,
    ::testing::Values(Road{"Quit", [](ScriptedWindow&) { Quit(); }, false},
                      Road{"LastWindowClosed", [](ScriptedWindow& w) { w.Widget()->close(); }, false},
                      Road{"ExceptionWhereQtCalledUs",
                           [](ScriptedWindow&) { GuardedCall([] { throw RuntimeException("unhandled"); }); }, true},
                      Road{"ExceptionEscapingAThread", [](ScriptedWindow&) { RuntimeNewObject<Thrower>()->Run(); }, true}),
    [](const ::testing::TestParamInfo<Road>& info) { return std::string(info.param.name); });

// ---- the road out through exit(), as Qt takes it when the display goes away ----

// Registered before the runtime's own exit handler, so it runs after it.
void ReportThreadsAtExit() {
    if (RunningThreadCount() == 0 && liveDrawers == 0)
        std::fputs("every drawing thread joined\n", stderr);
    else
        std::fprintf(stderr, "%d threads still running\n", RunningThreadCount());
}

TEST_F(ShutdownTest, ExitFromInsideTheEventLoopEndsNormallyWithAndWithoutDrawingThreads) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int threads : {0, kDrawers}) {
        EXPECT_EXIT(
            {
                std::atexit(ReportThreadsAtExit);
                StartDrawing(threads);
                RunEventLoop([threads] {
                    PumpUntil([threads] { return drawing == threads; });
                    std::exit(1);
                });
            },
            ::testing::ExitedWithCode(1), "every drawing thread joined")
            << threads << " drawing threads";
    }
}

TEST_F(ShutdownTest, TheExitHandlerJoinsEveryDrawingThreadAndRefusesFurtherJobs) {
    StartDrawing(kDrawers);
    ASSERT_TRUE(AllDrawing());
    StopThreadsAtExit();
    EXPECT_EQ(RunningThreadCount(), 0);
    EXPECT_EQ(cancelledDrawers, kDrawers);
    EXPECT_EQ(liveDrawers, 0);

    bool ran = false;
    bool postedFromThread = true;
    std::thread([&] { postedFromThread = PostToGuiThread([&] { ran = true; }); }).join();
    EXPECT_FALSE(postedFromThread);
    EXPECT_FALSE(PostToGuiThread([&] { ran = true; }));
    ProcessEvents();
    EXPECT_FALSE(ran);
    StopThreadsAtExit();  // the normal road's exit runs it once more, with nothing left to do
}

// ---- the hand-off to the GUI thread ----

TEST_F(ShutdownTest, JobsFromManyThreadsRunOnceEachOnTheGuiThreadInTheirThreadsOrder) {
    constexpr int kThreads = 8, kJobs = 400;
    const std::thread::id gui = std::this_thread::get_id();
    std::vector<std::vector<int>> ran(kThreads);  // touched by the GUI thread alone
    int offGui = 0;
    std::vector<std::thread> posters;
    for (int t = 0; t < kThreads; ++t)
        posters.emplace_back([&, t] {
            for (int j = 0; j < kJobs; ++j)
                EXPECT_TRUE(PostToGuiThread([&, t, j] {
                    ran[t].push_back(j);
                    offGui += std::this_thread::get_id() != gui;
                }));
        });
    for (std::thread& p : posters) p.join();
    ASSERT_TRUE(PumpUntil([&] {
        size_t n = 0;
        for (const auto& r : ran) n += r.size();
        return n == size_t(kThreads) * kJobs;
    }));
    ProcessEvents();
    EXPECT_EQ(offGui, 0);
    for (int t = 0; t < kThreads; ++t) {
        std::vector<int> expected(kJobs);
        for (int j = 0; j < kJobs; ++j) expected[j] = j;
        EXPECT_EQ(ran[t], expected) << "thread " << t;
    }
}

TEST_F(ShutdownTest, AJobThatWaitsForLaterJobsSeesThemRun) {
    bool later = false, waited = false;
    PostToGuiThread([&] {
        std::thread([&] { PostToGuiThread([&] { later = true; }); }).join();
        waited = PumpUntil([&] { return later; });
    });
    ASSERT_TRUE(PumpUntil([&] { return waited; }));
}

TEST_F(ShutdownTest, JobsThatKeepQueueingMoreDoNotHoldUpTheGuiThreadsOwnEvents) {
    bool stop = false;
    std::function<void()> again = [&] {
        if (!stop) PostToGuiThread(again);
    };
    PostToGuiThread(again);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] { stop = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(PumpUntil([&] { return stop; }));
}

TEST_F(ShutdownTest, JobsQueuedBeforeTheRuntimeEndsRunOnceAndNoneAfter) {
    int runs = 0;
    std::thread([&] { EXPECT_TRUE(PostToGuiThread([&] { ++runs; })); }).join();
    RuntimeExit();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    bool postedFromThread = true;
    std::thread([&] { postedFromThread = PostToGuiThread([&] { ++runs; }); }).join();
    EXPECT_FALSE(postedFromThread);
    EXPECT_FALSE(PostToGuiThread([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace qv
