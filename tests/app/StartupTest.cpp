// The process road through the real ModuleMain: start-up, the event loop and the
// release of the module-level objects, and what happens when something fails.
#include "AppFixture.h"

#include "ClassTable.h"
#include "GuiThread.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include <optional>

namespace quil::testing {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// What start-up has left just before the event loop starts.
struct BeforeLoop {
    bool ran = false;
    bool appIsApp = false;
    bool appBarIsTheMenu = false;
    bool menuBuilt = false;
    std::vector<qv::RegisteredFileType> fileTypes;
    std::optional<std::vector<std::string>> pText;  // Name, Extensions, MacType, MacCreator
    size_t openWindows = 0;
    bool onlyWindowIsTheImplicitWindow1 = false;
    bool windowVisible = false;
    bool aboutHandler = false, newHandler = false, otherHandler = false;
    bool threadsRunning = false;
};

BeforeLoop Record() {
    BeforeLoop s;
    s.ran = true;
    qv::Ref<app> application = qv::RuntimeCheckCast<app>(qv::GetAppObject());
    s.appIsApp = bool(application);
    s.menuBuilt = bool(Menu::ImplicitInstance());
    if (application) {
        s.appBarIsTheMenu = application->MenuBar().get() == Menu::ImplicitInstance().get() && s.menuBuilt;
        s.aboutHandler = application->MenuHandler("AppleAboutQuillevard") != nullptr;
        s.newHandler = application->MenuHandler("WindowNew") != nullptr;
        s.otherHandler = application->MenuHandler("FileRenew") || application->MenuHandler("FileQuit");
    }
    s.fileTypes = qv::RegisteredFileTypes();
    if (const qv::Ref<qv::FileType>& t = FileTypes::pText)
        s.pText = std::vector<std::string>{t->Name(), t->Extensions(), t->MacType(), t->MacCreator()};
    const std::vector<qv::Ref<qv::Window>> open = qv::OpenWindows();
    s.openWindows = open.size();
    if (open.size() == 1) {
        s.onlyWindowIsTheImplicitWindow1 = qv::RuntimeCheckCast<Window1>(open[0]) &&
                                           qv::GetImplicitWindow("Window1.Window1").get() == open[0].get();
        s.windowVisible = open[0]->Visible() && open[0]->Widget()->isVisible();
    }
    s.threadsRunning = qv::RunningThreadCount() != 0;
    return s;
}

class StartupTest : public ::testing::Test {
protected:
    void TearDown() override {
        qv::SetEventLoopStartHook(nullptr);
        qv::SetFrameworkInitializationHook(nullptr);
    }
};

TEST_F(StartupTest, StartsUpRunsTheLoopUntilQuitAndReleasesTheModuleObjects) {
    BeforeLoop seen;
    qv::SetEventLoopStartHook([&] {
        seen = Record();
        qv::PostToGuiThread([] { qv::Quit(); });
    });
    const int32_t status = ModuleMain();

    ASSERT_TRUE(seen.ran);
    EXPECT_TRUE(seen.appIsApp);
    EXPECT_TRUE(seen.menuBuilt);
    EXPECT_TRUE(seen.appBarIsTheMenu);
    ASSERT_EQ(seen.fileTypes.size(), 1u) << "the file type is registered once";
    EXPECT_EQ(seen.fileTypes[0].name, "text");
    EXPECT_EQ(seen.fileTypes[0].creator, "R*ch");
    EXPECT_EQ(seen.fileTypes[0].type, "TEXT");
    EXPECT_EQ(seen.fileTypes[0].extensions, "");
    ASSERT_TRUE(seen.pText);
    EXPECT_EQ(*seen.pText, (std::vector<std::string>{"text", "", "TEXT", "R*ch"}));
    EXPECT_EQ(seen.openWindows, 1u);
    EXPECT_TRUE(seen.onlyWindowIsTheImplicitWindow1);
    EXPECT_TRUE(seen.windowVisible);
    EXPECT_TRUE(seen.aboutHandler);
    EXPECT_TRUE(seen.newHandler);
    EXPECT_FALSE(seen.otherHandler);
    EXPECT_FALSE(seen.threadsRunning);

    EXPECT_EQ(status, 0);
    EXPECT_FALSE(FileTypes::pText);
    EXPECT_FALSE(Menu::ImplicitInstance());
    EXPECT_TRUE(qv::OpenWindows().empty());
    EXPECT_FALSE(qv::GetImplicitWindow("Window1.Window1"));
}

// File > Quit, chosen on the default window, ends the loop even while it paints.
TEST_F(StartupTest, QuitMenuItemEndsTheLoopAndTheDrawing) {
    bool clicked = false, triggered = false;
    qv::SetEventLoopStartHook([&] {
        qv::PostToGuiThread([&] {
            qv::Ref<Window1> w = qv::RuntimeCheckCast<Window1>(qv::GetImplicitWindow("Window1.Window1"));
            if (!w) return;
            if (QPushButton* create = ButtonWidget(*w, "StartButton")) {
                create->click();
                clicked = w->drawThread && w->drawThread->Running();
            }
            if (QAction* quit = MenuAction(*w, "Quit")) {
                quit->trigger();
                triggered = true;
            }
        });
    });
    const int32_t status = ModuleMain();
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(triggered);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(qv::RunningThreadCount(), 0);
    EXPECT_FALSE(Menu::ImplicitInstance());
}

// Quitting while many main windows draw still ends and joins every drawing thread.
TEST_F(StartupTest, QuittingWhileSixteenWindowsDrawJoinsEveryThread) {
    constexpr size_t kWindows = 16;
    size_t drawing = 0;
    bool quitFound = false;
    qv::SetEventLoopStartHook([&] {
        qv::PostToGuiThread([&] {
            while (MainWindows().size() < kWindows) App()->WindowNew_Action();
            for (const qv::Ref<Window1>& w : MainWindows()) Click(*w, "StartButton");
            const uint64_t passes = qv::BackgroundTaskPasses();
            qv::testing::PumpUntil([&] { return qv::BackgroundTaskPasses() > passes + 100000; });
            for (const qv::Ref<Window1>& w : MainWindows()) drawing += w->drawThread && w->drawThread->Running();
            if (QAction* quit = MenuAction(*MainWindows().front(), "Quit")) {
                quitFound = true;
                quit->trigger();
            } else {
                qv::Quit();
            }
        });
    });
    EXPECT_EQ(ModuleMain(), 0);
    EXPECT_TRUE(quitFound);
    EXPECT_EQ(drawing, kWindows);
    EXPECT_EQ(qv::RunningThreadCount(), 0);
}

TEST_F(StartupTest, FailedInitialisationSkipsTheLoopButStillFinalises) {
    // Module objects left from before, so that their release shows.
    FileTypes::pText = qv::RuntimeNewObject<qv::FileType>();
    ASSERT_TRUE(Menu::Instance());

    bool loopStarted = false;
    qv::SetEventLoopStartHook([&] {
        loopStarted = true;
        qv::PostToGuiThread([] { qv::Quit(); });
    });
    qv::SetFrameworkInitializationHook([] { throw qv::NilObjectException(); });
    CaptureStderr();
    const int32_t status = ModuleMain();
    const std::string err = GetCapturedStderr();

    EXPECT_FALSE(loopStarted);
    EXPECT_NE(status, 0);
    EXPECT_NE(err.find("NilObjectException"), std::string::npos) << err;
    EXPECT_FALSE(FileTypes::pText);
    EXPECT_FALSE(Menu::ImplicitInstance());
}

TEST_F(StartupTest, ExceptionEscapingTheLoopIsReportedAndShutDownGoesOn) {
    qv::SetEventLoopStartHook([] {
        qv::PostToGuiThread([] { qv::GuardedCall([] { throw qv::RuntimeException("raised in a handler"); }); });
    });
    CaptureStderr();
    const int32_t status = ModuleMain();
    const std::string err = GetCapturedStderr();
    EXPECT_NE(status, 0);
    EXPECT_NE(err.find("RuntimeException"), std::string::npos) << err;
    EXPECT_NE(err.find("raised in a handler"), std::string::npos) << err;
    EXPECT_FALSE(FileTypes::pText);
    EXPECT_FALSE(Menu::ImplicitInstance());
    EXPECT_TRUE(qv::OpenWindows().empty());
}

TEST(SystemClassTables, SystemClassesAreBuiltAfterTheFrameworksInTheirOrder) {
    ModuleInitialize();
    const std::vector<qv::ClassRef>& all = qv::AllClasses();
    auto position = [&](std::string_view name) -> std::ptrdiff_t {
        qv::ClassRef c = qv::FindClass(name);
        EXPECT_TRUE(c) << name;
        return std::find(all.begin(), all.end(), c) - all.begin();
    };
    const std::ptrdiff_t fileType = position("FileType");
    std::ptrdiff_t previous = fileType;
    for (const char* name : {"Window1.Window1", "Menu.Menu", "BackgroundDrawing", "AboutWindow.AboutWindow", "app"}) {
        const std::ptrdiff_t at = position(name);
        EXPECT_GT(at, previous) << name;
        EXPECT_LT(at, static_cast<std::ptrdiff_t>(all.size())) << name;
        previous = at;
    }
    // Built once: a second round adds nothing.
    const size_t count = all.size();
    ModuleInitialize();
    EXPECT_EQ(qv::AllClasses().size(), count);
}

TEST(SystemClassTables, AppTable) {
    ModuleInitialize();
    qv::ClassRef t = qv::FindClass("app");
    ASSERT_TRUE(t);
    EXPECT_EQ(t, app::Lookup());
    EXPECT_EQ(t->super, qv::Application::Lookup());
    EXPECT_TRUE(t->attributes.empty());
    EXPECT_TRUE(t->properties.empty());

    // The seventeen of Application unchanged, then its own three.
    const std::vector<std::string>& base = qv::Application::Lookup()->vtable;
    ASSERT_EQ(base.size(), 17u);
    ASSERT_EQ(t->vtable.size(), 20u);
    EXPECT_TRUE(std::equal(base.begin(), base.end(), t->vtable.begin()));
    EXPECT_EQ(std::vector<std::string>(t->vtable.begin() + 17, t->vtable.end()),
              (std::vector<std::string>{"Event_EnableMenuItems", "_AppleAboutQuillevard_Action", "_WindowNew_Action"}));

    ASSERT_EQ(t->methods.size(), 3u);
    const std::pair<const char*, const char*> methods[] = {
        {"Event_EnableMenuItems", "%%"}, {"_AppleAboutQuillevard_Action", "%b%"}, {"_WindowNew_Action", "%b%"}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(t->methods[i].name, methods[i].first);
        EXPECT_EQ(t->methods[i].signature, methods[i].second);
        ASSERT_EQ(t->methods[i].attributes.size(), 1u);
        EXPECT_EQ(t->methods[i].attributes[0].name, "__Scope");
        EXPECT_EQ(t->methods[i].attributes[0].value, "Public");
    }

    // Of the application's events only EnableMenuItems is handled.
    ASSERT_EQ(t->bindings.size(), 1u);
    EXPECT_EQ(t->bindings[0].event, "EnableMenuItems");
    for (const char* e : {"Open", "Close", "NewDocument", "OpenDocument", "HandleAppleEvent", "Activate", "Deactivate",
                          "UnhandledException", "CancelClose"})
        EXPECT_FALSE(t->Binding(e)) << e;
}

}  // namespace
}  // namespace quil::testing
