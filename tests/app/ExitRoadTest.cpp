// The whole application ending through exit() from inside its event loop while
// main windows draw, as Qt ends it when the display goes away.
#include "AppFixture.h"

#include "GuiThread.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace quil::testing {
namespace {

constexpr int kMainWindows = 3;

// Registered before the runtime's own exit handler, so it runs after it.
void ReportThreadsAtExit() {
    if (qv::RunningThreadCount() == 0) std::fputs("drawing threads joined\n", stderr);
}

TEST(ExitRoad, ExitInsideTheLoopWhileMainWindowsDrawJoinsThemAndKeepsTheStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::atexit(ReportThreadsAtExit);
            qv::SetEventLoopStartHook([] {
                qv::PostToGuiThread([] {
                    for (int i = 1; i < kMainWindows; ++i) App()->WindowNew_Action();
                    for (const qv::Ref<Window1>& w : MainWindows()) Click(*w, "StartButton");
                    qv::testing::PumpUntil([] { return qv::RunningThreadCount() == kMainWindows; });
                    std::exit(1);
                });
            });
            ModuleMain();
        },
        ::testing::ExitedWithCode(1), "drawing threads joined");
}

}  // namespace
}  // namespace quil::testing
