// A window class for framework tests: its "Layout", "CreateControls" and
// "AddMenuHandlers" events record themselves and run what the test put into the
// script; "Layout" then applies the script's window list.
#pragma once

#include "Framework.h"
#include "GuiThread.h"
#include "Runtime.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::testing {

class ScriptedWindow;

struct WindowScript {
    std::string list;  // the window's own property list
    std::function<void(ScriptedWindow&)> layout;  // runs before the list is applied
    std::function<void(ScriptedWindow&)> createControls;
    std::function<void(ScriptedWindow&)> addMenuHandlers;
};

inline WindowScript& Script() {
    static WindowScript script;
    return script;
}

inline int& LiveScriptedWindows() {
    static int live = 0;
    return live;
}

class ScriptedWindow : public Window {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Window::Lookup, [](ClassTable& t) {
            t.name = "ScriptedWindow.ScriptedWindow";
            t.factory = FactoryOf<ScriptedWindow>();
            for (const char* op : {"Layout", "CreateControls", "_CreateControls0"}) t.AddVirtual(op);
            t.AddVirtual("Button_Action", &ScriptedWindow::Button_Action);
            t.Bind("Layout", [](Object& o) {
                auto& w = static_cast<ScriptedWindow&>(o);
                w.raised.push_back("Layout");
                if (Script().layout) Script().layout(w);
                SetProperties(w, Script().list);
            });
            t.Bind("CreateControls", [](Object& o) {
                auto& w = static_cast<ScriptedWindow&>(o);
                w.raised.push_back("CreateControls");
                if (Script().createControls) Script().createControls(w);
            });
            t.Bind("AddMenuHandlers", [](Object& o) {
                auto& w = static_cast<ScriptedWindow&>(o);
                w.raised.push_back("AddMenuHandlers");
                if (Script().addMenuHandlers) Script().addMenuHandlers(w);
            });
            t.Bind("Close", [](Object& o) { static_cast<ScriptedWindow&>(o).raised.push_back("Close"); });
        });
    }

    ScriptedWindow() { ++LiveScriptedWindows(); }
    ~ScriptedWindow() override { --LiveScriptedWindows(); }

    // A control event handler, entered the way the application's handlers are.
    void Button_Action(Object& sender) {
        auto [Self, Me] = RuntimeSwapSelfAndMe<ScriptedWindow, PushButton>(sender);
        if (Self->onAction) Self->onAction(*Self, *Me);
    }

    std::vector<std::string> raised;
    std::function<void(ScriptedWindow&, PushButton&)> onAction;
};

// Runs the event loop with `inLoop` posted at its start. True when the loop ended by
// itself; a generous deadline ends a loop that never would, so that a broken build
// fails instead of hanging. Exceptions from RuntimeRun pass through.
inline bool RunEventLoop(std::function<void()> inLoop) {
    auto deadlinePassed = std::make_shared<bool>(false);
    SetEventLoopStartHook([&inLoop, deadlinePassed] {
        PostToGuiThread(inLoop);
        QTimer::singleShot(std::chrono::seconds(20), qApp, [deadlinePassed] {
            *deadlinePassed = true;
            QApplication::exit(3);
        });
    });
    RuntimeRun();
    SetEventLoopStartHook(nullptr);
    return !*deadlinePassed;
}

// Each test starts from an empty script and leaves none behind.
class ScriptedWindowTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        Script() = {};
    }
    void TearDown() override {
        Script() = {};
        SetEventLoopStartHook(nullptr);
        RuntimeTest::TearDown();
    }
};

}  // namespace qv::testing
