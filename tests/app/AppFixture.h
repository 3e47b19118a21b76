// A fixture for tests of the application: the runtime on Qt's offscreen platform,
// the system's class tables, and an application object with its menu bar and its
// two menu handlers, as start-up leaves them just before the default window opens.
#pragma once

#include "AboutWindow.h"
#include "App.h"
#include "Backdrop.h"
#include "BackgroundDrawing.h"
#include "FileTypes.h"
#include "Menu.h"
#include "Runtime.h"
#include "Startup.h"
#include "Window1.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quil::testing {

class AppTest : public qv::testing::RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        ModuleInitialize();
        NewAppInstance();
        ApplicationAddMenuHandlers();
    }

    void TearDown() override {
        // Drawing threads end before anything they reach (hook state included) goes.
        StopAllDrawing();
        RuntimeTest::TearDown();
        FileTypes::pText_Exit();
        Menu::ImplicitInstance_Exit();
        x_quil1::Reset();
        qv::SetExecutablePathForTesting({});
    }

    // Ends every drawing thread and waits for it; later threads may run again.
    static void StopAllDrawing() {
        qv::SetUserCancelled(true);
        qv::JoinAllThreads();
        qv::SetBackgroundTaskHook(nullptr);
        qv::SetUserCancelled(false);
        qv::ProcessEvents();
    }
};

template <class C>
qv::Ref<C> ControlOf(qv::Window& window, std::string_view name) {
    return qv::RuntimeCheckCast<C>(qv::RuntimeWindowControlByName(window, name));
}

inline QPushButton* ButtonWidget(qv::Window& window, std::string_view name) {
    qv::Ref<qv::Control> c = qv::RuntimeWindowControlByName(window, name);
    return c ? qobject_cast<QPushButton*>(c->Widget()) : nullptr;
}

// A real click on the button's Qt widget.
inline void Click(qv::Window& window, std::string_view name) {
    QPushButton* button = ButtonWidget(window, name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

// The main windows open now, in the order they were built.
inline std::vector<qv::Ref<Window1>> MainWindows() {
    std::vector<qv::Ref<Window1>> out;
    for (const qv::Ref<qv::Window>& w : qv::OpenWindows())
        if (qv::Ref<Window1> main = qv::RuntimeCheckCast<Window1>(w)) out.push_back(main);
    return out;
}

// The Qt action of the window's menu bar whose caption is text (UTF-8), or null.
inline QAction* MenuAction(const qv::Window& window, std::string_view text) {
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QAction* a : window.Widget()->findChildren<QAction*>())
        if (a->text() == wanted && !a->menu()) return a;
    return nullptr;
}

// The pixels of a graphics surface as 0xRRGGBB, row after row.
inline std::vector<uint32_t> Pixels(const qv::Graphics& g) {
    std::vector<uint32_t> out;
    out.reserve(static_cast<size_t>(g.Width()) * static_cast<size_t>(g.Height()));
    for (int32_t y = 0; y < g.Height(); ++y)
        for (int32_t x = 0; x < g.Width(); ++x) {
            const qv::Color c = g.Pixel(x, y);
            out.push_back(uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue);
        }
    return out;
}

// A picture's pixels as 0xRRGGBB; only for a picture that no thread draws into.
inline std::vector<uint32_t> Pixels(const qv::Picture& p) {
    const qv::Surface& s = p.Pixels();
    std::vector<uint32_t> out(s.Pixels(), s.Pixels() + static_cast<size_t>(s.Width()) * static_cast<size_t>(s.Height()));
    for (uint32_t& v : out) v &= 0x00FFFFFFu;
    return out;
}

// Fills the whole surface with one colour.
inline void Fill(qv::Graphics& g, qv::Color c) {
    for (int32_t y = 0; y < g.Height(); ++y)
        for (int32_t x = 0; x < g.Width(); ++x) g.Pixel(x, y, c);
}

}  // namespace quil::testing
