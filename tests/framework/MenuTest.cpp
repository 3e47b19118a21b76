// Menu item trees, the Qt menus a window builds from them, the enabling pass and
// where a chosen item goes.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qv {
namespace {

using testing::RunEventLoop;
using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;

template <class T = MenuItem>
Ref<T> Item(const char* name, const char* text, const char* shortcut = "", bool autoEnable = false) {
    Ref<T> item = RuntimeNewObject<T>();
    item->Constructor();
    item->SetName(name);
    item->SetText(text);
    item->SetKeyboardShortcut(shortcut);
    item->SetAutoEnable(autoEnable);
    return item;
}

// File: New (Cmd+N), Open (auto), -, Quit (Cmd+Q, auto); Help: About.
Ref<MenuBar> BuildBar() {
    auto bar = RuntimeNewObject<MenuBar>();
    Ref<MenuItem> file = Item("FileMenu", "File");
    bar->Append(file);
    file->Append(Item("FileNew", "New", "Cmd+N"));
    file->Append(Item("FileOpen", "Open", "", true));
    file->Append(Item("FileSep", "-", "", true));
    file->Append(Item<QuitMenuItem>("FileQuit", "Quit", "Cmd+Q", true));
    Ref<MenuItem> help = Item("HelpMenu", "Help");
    bar->Append(help);
    help->Append(Item<AppleMenuItem>("HelpAbout", "About"));
    return bar;
}

// ---- the tree ----

TEST(MenuItemTree, ChildFindsDirectChildrenAndLookupFindsItemsAtAnyDepth) {
    Ref<MenuBar> bar = BuildBar();
    EXPECT_EQ(bar->Count(), 2);
    Ref<MenuItem> file = bar->Child("FileMenu");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Text(), "File");
    EXPECT_EQ(file->Count(), 4);
    EXPECT_EQ(file->Parent(), bar.get());

    EXPECT_FALSE(bar->Child("FileNew")) << "Child looks one level down only";
    Ref<MenuItem> found = bar->Lookup("FileNew");
    ASSERT_TRUE(found);
    EXPECT_EQ(found, file->Child("FileNew"));
    EXPECT_EQ(found->Parent(), file.get());
    EXPECT_EQ(bar->Lookup("HelpMenu"), bar->Child("HelpMenu")) << "titles are found too";
    EXPECT_EQ(bar->Lookup("HelpAbout")->Text(), "About");
    EXPECT_TRUE(RuntimeCheckCast<QuitMenuItem>(bar->Lookup("FileQuit")));
    EXPECT_FALSE(bar->Lookup("Nothing"));
    EXPECT_FALSE(file->Lookup("HelpAbout")) << "Lookup searches below the item only";

    // Deeper than two levels.
    Ref<MenuItem> sub = Item("Sub", "Sub");
    bar->Lookup("FileOpen")->Append(sub);
    sub->Append(Item("Deep", "Deep"));
    ASSERT_TRUE(bar->Lookup("Deep"));
    EXPECT_EQ(bar->Lookup("Deep")->Parent(), sub.get());
}

TEST(MenuItemTree, ItemsKeepTheirOrder) {
    Ref<MenuBar> bar = BuildBar();
    Ref<MenuItem> file = bar->Child("FileMenu");
    std::vector<std::string> names;
    for (int32_t i = 0; i < file->Count(); ++i) names.push_back(file->Item(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"FileNew", "FileOpen", "FileSep", "FileQuit"}));
    EXPECT_TRUE(file->Item(2)->IsSeparator());
    EXPECT_FALSE(file->Item(1)->IsSeparator());
    EXPECT_THROW(file->Item(4), RuntimeException);
    EXPECT_THROW(file->Item(-1), RuntimeException);
}

TEST(MenuItemTree, AppendRefusesAnItemThatIsAlreadyInAMenuOrWouldMakeACycle) {
    Ref<MenuBar> bar = BuildBar();
    Ref<MenuItem> file = bar->Child("FileMenu");
    Ref<MenuItem> help = bar->Child("HelpMenu");
    Ref<MenuItem> item = file->Child("FileNew");

    EXPECT_THROW(help->Append(item), RuntimeException) << "already in the File menu";
    EXPECT_THROW(file->Append(item), RuntimeException) << "already there";
    EXPECT_THROW(file->Append(file), RuntimeException) << "below itself";
    EXPECT_THROW(item->Append(bar), RuntimeException) << "below its own child";
    EXPECT_THROW(file->Append(Ref<MenuItem>()), NilObjectException);
    EXPECT_EQ(file->Count(), 4);
    EXPECT_EQ(help->Count(), 1);
    EXPECT_EQ(item->Parent(), file.get());
}

TEST(MenuItemTree, AnItemThatOutlivesItsMenuIsInNoMenu) {
    Ref<MenuItem> file;
    {
        Ref<MenuBar> bar = BuildBar();
        file = bar->Child("FileMenu");
    }
    EXPECT_EQ(file->Parent(), nullptr);
    EXPECT_NO_THROW(file->Append(Item("FileMore", "More")));  // looks at its own ancestors
    Ref<MenuBar> other = RuntimeNewObject<MenuBar>();
    EXPECT_NO_THROW(other->Append(file));
    EXPECT_EQ(file->Parent(), other.get());
    EXPECT_EQ(other->Lookup("FileMore")->Parent(), file.get());
}

TEST(MenuItemTree, ShortcutsBecomePortableKeySequences) {
    EXPECT_EQ(ShortcutToKeySequence("Cmd+N"), "Ctrl+N");
    EXPECT_EQ(ShortcutToKeySequence("Cmd+Shift+Z"), "Ctrl+Shift+Z");
    EXPECT_EQ(ShortcutToKeySequence(""), "");
    EXPECT_EQ(ShortcutToKeySequence("F1"), "F1");
}

// ---- with a window and an application ----

class TestApp : public Application {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Application::Lookup, [](ClassTable& t) {
            t.name = "MenuTest.app";
            t.factory = FactoryOf<TestApp>();
            t.AddVirtual("Event_EnableMenuItems");
            t.Bind("EnableMenuItems", [](Object& self) {
                auto& app = static_cast<TestApp&>(self);
                ++app.enablingPasses;
                if (app.enable) app.enable(*NotNil(app.MenuBar()));
            });
        });
    }
    int enablingPasses = 0;
    std::function<void(qv::MenuBar&)> enable;

    bool HelpAbout_Action() {
        calls.push_back("app.HelpAbout");
        return false;
    }
    std::vector<std::string> calls;
};

class MenuTest : public ScriptedWindowTest {
protected:
    void SetUp() override {
        ScriptedWindowTest::SetUp();
        bar_ = BuildBar();
        app_ = RuntimeNewObject<TestApp>();
        app_->SetMenuBar(bar_);
        RuntimeRegisterAppObject(app_);
    }
    void TearDown() override {
        window_ = nullptr;
        app_ = nullptr;
        bar_ = nullptr;
        ScriptedWindowTest::TearDown();
    }

    // A window that shows the application's menu bar.
    Ref<ScriptedWindow> OpenWindow() {
        Script().list = design::EncodeWindow({{"Width", 200}, {"Height", 100}});
        Script().layout = [this](ScriptedWindow& w) { w.SetMenuBar(bar_); };
        window_ = ImplicitInstance<ScriptedWindow>();
        return window_;
    }

    QMenuBar* QtMenuBar() const {
        auto* main = qobject_cast<QMainWindow*>(window_->Widget());
        return main ? qobject_cast<QMenuBar*>(main->menuWidget()) : nullptr;
    }

    // The Qt action shown for an item, found by the item's text.
    QAction* ActionOf(const char* itemName) const {
        const QString text = QString::fromStdString(bar_->Lookup(itemName)->Text());
        for (QAction* title : QtMenuBar()->actions())
            if (title->menu())
                for (QAction* a : title->menu()->actions())
                    if (a->text() == text) return a;
        return nullptr;
    }

    bool Enabled(const char* itemName) const { return bar_->Lookup(itemName)->Enabled(); }

    Ref<MenuBar> bar_;
    Ref<TestApp> app_;
    Ref<ScriptedWindow> window_;
};

TEST_F(MenuTest, AWindowShowsItsMenuBarAsQtMenus) {
    OpenWindow();
    QMenuBar* qbar = QtMenuBar();
    ASSERT_NE(qbar, nullptr);
    ASSERT_EQ(qbar->actions().size(), 2);
    EXPECT_EQ(qbar->actions()[0]->text(), "File");
    EXPECT_EQ(qbar->actions()[1]->text(), "Help");

    QMenu* file = qbar->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    const QList<QAction*> items = file->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), "New");
    EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(items[1]->text(), "Open");
    EXPECT_TRUE(items[1]->shortcut().isEmpty());
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), "Quit");
    EXPECT_EQ(items[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(qbar->actions()[1]->menu()->actions().size(), 1);
}

TEST_F(MenuTest, TheEnablingPassStartsFromAutoEnable) {
    OpenWindow();  // a window with a menu bar runs a pass once it is built
    EXPECT_TRUE(Enabled("FileMenu")) << "titles are enabled";
    EXPECT_TRUE(Enabled("HelpMenu"));
    EXPECT_TRUE(Enabled("FileOpen"));
    EXPECT_TRUE(Enabled("FileQuit"));
    EXPECT_FALSE(Enabled("FileNew")) << "no handler and not AutoEnable";
    EXPECT_FALSE(Enabled("HelpAbout"));
    EXPECT_GE(app_->enablingPasses, 1) << "the application's EnableMenuItems is part of the pass";

    ASSERT_NE(ActionOf("FileNew"), nullptr);
    EXPECT_FALSE(ActionOf("FileNew")->isEnabled());
    EXPECT_TRUE(ActionOf("FileOpen")->isEnabled());
    EXPECT_TRUE(ActionOf("FileQuit")->isEnabled());
    EXPECT_FALSE(ActionOf("HelpAbout")->isEnabled());
}

TEST_F(MenuTest, AWindowsHandlerOrTheApplicationsEnableMenuItemsEnablesAnItem) {
    OpenWindow();
    window_->AddMenuHandler("FileNew", [] { return true; });
    app_->AddMenuHandler("HelpAbout", [] { return false; });
    RunEnablingPass(window_.get());
    EXPECT_TRUE(Enabled("FileNew")) << "the window serves it";
    EXPECT_TRUE(ActionOf("FileNew")->isEnabled());
    EXPECT_FALSE(Enabled("HelpAbout")) << "an application handler alone does not enable its item";

    app_->enable = [](MenuBar& bar) { bar.Lookup("HelpAbout")->SetEnabled(true); };
    RunEnablingPass(window_.get());
    EXPECT_TRUE(Enabled("HelpAbout"));
    EXPECT_TRUE(ActionOf("HelpAbout")->isEnabled());

    // Each pass starts again: what the application stops enabling goes grey again.
    app_->enable = nullptr;
    RunEnablingPass(window_.get());
    EXPECT_FALSE(Enabled("HelpAbout"));
    EXPECT_FALSE(ActionOf("HelpAbout")->isEnabled());

    // The application's pass alone, with no window.
    app_->enable = [](MenuBar& bar) { bar.Lookup("HelpAbout")->SetEnabled(true); };
    RunEnablingPass(nullptr);
    EXPECT_TRUE(Enabled("HelpAbout"));
    EXPECT_FALSE(Enabled("FileNew")) << "without a window its handlers do not count";
}

TEST_F(MenuTest, AChosenItemGoesToTheWindowFirstThenToTheApplication) {
    OpenWindow();
    std::vector<std::string> calls;
    bool windowHandles = false;
    window_->AddMenuHandler("FileNew", [&] {
        calls.push_back("window");
        return windowHandles;
    });
    app_->AddMenuHandler("FileNew", [&] {
        calls.push_back("app");
        return true;
    });

    DispatchMenuCommand(window_.get(), bar_->Lookup("FileNew"));
    EXPECT_EQ(calls, (std::vector<std::string>{"window", "app"})) << "the window's handler returned False";

    calls.clear();
    windowHandles = true;
    DispatchMenuCommand(window_.get(), bar_->Lookup("FileNew"));
    EXPECT_EQ(calls, (std::vector<std::string>{"window"}));

    calls.clear();
    DispatchMenuCommand(nullptr, bar_->Lookup("FileNew"));
    EXPECT_TRUE(calls.empty()) << "without the window nothing enables the item";

    app_->enable = [](MenuBar& bar) { bar.Lookup("FileNew")->SetEnabled(true); };
    DispatchMenuCommand(nullptr, bar_->Lookup("FileNew"));
    EXPECT_EQ(calls, (std::vector<std::string>{"app"}));

    DispatchMenuCommand(window_.get(), nullptr);  // nothing chosen, nothing happens
}

TEST_F(MenuTest, AnItemTheChosenWindowDoesNotServeGoesToTheLatestWindowThatDoes) {
    OpenWindow();
    std::vector<std::string> calls;
    auto another = [&](const char* name) {
        Ref<ScriptedWindow> w = RuntimeCheckCast<ScriptedWindow>(RuntimeNewObject(ScriptedWindow::Lookup()));
        w->Constructor();
        if (name) w->AddMenuHandler("FileNew", [&calls, name] {
            calls.push_back(name);
            return true;
        });
        return w;
    };
    window_->AddMenuHandler("FileNew", [&] {
        calls.push_back("first");
        return true;
    });
    Ref<ScriptedWindow> servesNothing = another(nullptr);
    Ref<ScriptedWindow> latest = another("latest");

    RunEnablingPass(servesNothing.get());
    EXPECT_TRUE(Enabled("FileNew")) << "an open window serves the item";
    DispatchMenuCommand(servesNothing.get(), bar_->Lookup("FileNew"));
    DispatchMenuCommand(window_.get(), bar_->Lookup("FileNew"));
    EXPECT_EQ(calls, (std::vector<std::string>{"latest", "first"})) << "a window's own handler comes first";

    latest->Close();
    calls.clear();
    DispatchMenuCommand(servesNothing.get(), bar_->Lookup("FileNew"));
    EXPECT_EQ(calls, (std::vector<std::string>{"first"})) << "a closed window serves nothing";
    servesNothing->Close();
}

TEST_F(MenuTest, TriggeringTheQtActionReachesTheBoundHandler) {
    OpenWindow();
    BindMenuHandler(*app_, "HelpAbout", &TestApp::HelpAbout_Action);
    app_->enable = [](MenuBar& bar) { bar.Lookup("HelpAbout")->SetEnabled(true); };
    RunEnablingPass(window_.get());
    ASSERT_TRUE(ActionOf("HelpAbout")->isEnabled());
    ActionOf("HelpAbout")->trigger();
    EXPECT_EQ(app_->calls, (std::vector<std::string>{"app.HelpAbout"}));
    EXPECT_FALSE(TakePendingException());
}

TEST_F(MenuTest, TheQuitItemEndsTheRunningEventLoop) {
    OpenWindow();
    Ref<MenuItem> quit = bar_->Lookup("FileQuit");
    EXPECT_FALSE(UserCancelled());
    EXPECT_TRUE(RunEventLoop([quit] { DispatchMenuCommand(nullptr, quit); }));
    EXPECT_TRUE(UserCancelled());
    EXPECT_FALSE(EventLoopRunning());
}

TEST_F(MenuTest, TheQuitActionOfAWindowEndsTheRunningEventLoop) {
    OpenWindow();
    EXPECT_TRUE(RunEventLoop([this] { ActionOf("FileQuit")->trigger(); }));
    EXPECT_TRUE(UserCancelled());
}

TEST_F(MenuTest, OtherItemsDoNotEndTheLoop) {
    OpenWindow();
    bool stillRunning = false;
    EXPECT_TRUE(RunEventLoop([&] {
        DispatchMenuCommand(window_.get(), bar_->Lookup("FileOpen"));
        PostToGuiThread([&] {
            stillRunning = EventLoopRunning() && !UserCancelled();
            Quit();
        });
    }));
    EXPECT_TRUE(stillRunning);
}

}  // namespace
}  // namespace qv
