// Building windows and their controls on Qt's offscreen platform: the construction
// events, controls as real widgets, the implicit instance, control events entered
// from real clicks, and what the window's list does to the Qt window.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

using testing::LiveScriptedWindows;
using testing::PumpUntil;
using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;
using namespace std::string_literals;

design::ListDesign FixedWindow(int32_t width = 320, int32_t height = 200) {
    design::ListDesign d(Window::Kind());
    d.Set("Width", width).Set("Height", height).Set("Title", "Test Window"s).Set("Resizeable", false);
    return d;
}

design::ListDesign Button(const std::string& name, int32_t left, int32_t top, int32_t tabIndex = 0) {
    design::ListDesign d(PushButton::Kind());
    d.Set("Name", name).Set("Caption", name).Set("Left", left).Set("Top", top);
    d.Set("Width", 80).Set("Height", 24).Set("TabIndex", tabIndex);
    return d;
}

Ref<ScriptedWindow> Build() { return ImplicitInstance<ScriptedWindow>(); }

template <class W>
W* WidgetOf(const Ref<Control>& c) {
    return qobject_cast<W*>(NotNil(c)->Widget());
}

// A click as the mouse makes it: press and release inside the widget.
void MouseClick(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

class WindowTest : public ScriptedWindowTest {};

// ---- construction ----

TEST_F(WindowTest, ConstructorRaisesTheBuildEventsInOrderAndShowsAVisibleWindow) {
    Script().list = FixedWindow().Encode();
    Ref<ScriptedWindow> w = Build();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->raised, (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers"}));
    EXPECT_TRUE(w->IsOpen());
    EXPECT_TRUE(w->Widget()->isVisible());
    ASSERT_EQ(OpenWindows().size(), 1u);
    EXPECT_EQ(OpenWindows()[0].get(), w.get());

    w->Constructor();  // a second call builds nothing again
    EXPECT_EQ(w->raised.size(), 3u);
}

TEST_F(WindowTest, AWindowWhoseListIsNotVisibleStaysHiddenUntilShown) {
    Script().list = FixedWindow().Set("Visible", false).Encode();
    Ref<ScriptedWindow> w = Build();
    EXPECT_TRUE(w->IsOpen());
    EXPECT_FALSE(w->Widget()->isVisible());
    w->Show();
    EXPECT_TRUE(w->Widget()->isVisible());
    w->Hide();
    EXPECT_FALSE(w->Widget()->isVisible());
}

TEST_F(WindowTest, AWindowThatFailsToBuildLeavesNoTrace) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow&) { throw RuntimeException("no controls today"); };
    EXPECT_THROW(Build(), RuntimeException);
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_FALSE(GetImplicitWindow("ScriptedWindow.ScriptedWindow"));
    ProcessEvents();
    EXPECT_EQ(LiveScriptedWindows(), 0);
}

// ---- controls ----

TEST_F(WindowTest, ControlsAreRealWidgetsAtTheirDesignPlacesInTheContentArea) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        const std::string canvas = design::EncodeList(Canvas::Kind(), {{"Name", "Canvas1"s},
            {"Left", 5}, {"Top", 6}, {"Width", 100}, {"Height", 50}});
        CreateControl(w, Canvas::Lookup(), "Canvas1", canvas);
        CreateControl(w, PushButton::Lookup(), "OK", Button("OK", 200, 160, 1).Encode());
        const std::string text = design::EncodeList(StaticText::Kind(), {{"Name", "Label"s}, {"Text", "Hello"s},
            {"Left", 5}, {"Top", 70}, {"Width", 150}, {"Height", 20}});
        CreateControl(w, StaticText::Lookup(), "Label", text);
    };
    Ref<ScriptedWindow> w = Build();

    ASSERT_EQ(w->Controls().size(), 3u);
    Ref<Control> canvas = RuntimeWindowControlByName(*w, "Canvas1");
    Ref<Control> ok = RuntimeWindowControlByName(*w, "OK");
    Ref<Control> label = RuntimeWindowControlByName(*w, "Label");
    ASSERT_TRUE(canvas && ok && label);
    EXPECT_FALSE(RuntimeWindowControlByName(*w, "Missing"));
    EXPECT_EQ(w->Controls()[0], canvas);
    EXPECT_TRUE(RuntimeCheckCast<Canvas>(canvas));
    EXPECT_TRUE(RuntimeCheckCast<PushButton>(ok));
    EXPECT_TRUE(RuntimeCheckCast<StaticText>(label));

    struct Expected {
        Ref<Control> control;
        QRect geometry;
    };
    for (const auto& [control, geometry] : {Expected{canvas, {5, 6, 100, 50}}, Expected{ok, {200, 160, 80, 24}},
                                            Expected{label, {5, 70, 150, 20}}}) {
        SCOPED_TRACE(control->Name());
        ASSERT_NE(control->Widget(), nullptr);
        EXPECT_EQ(control->Widget()->parentWidget(), w->ContentArea());
        EXPECT_EQ(control->Widget()->geometry(), geometry);
        EXPECT_TRUE(control->Widget()->isVisible());
        EXPECT_EQ(control->Window().get(), w.get());
        EXPECT_EQ(control->Index(), design::kNoIndex);
    }
    EXPECT_EQ(WidgetOf<QPushButton>(ok)->text(), "OK");
    EXPECT_EQ(WidgetOf<QLabel>(label)->text(), "Hello");
    EXPECT_EQ(canvas->Width(), 100);
    EXPECT_EQ(RuntimeCheckCast<Canvas>(canvas)->Graphics()->Width(), 100);
    EXPECT_EQ(RuntimeCheckCast<Canvas>(canvas)->Graphics()->Height(), 50);
}

TEST_F(WindowTest, TabOrderIsCreationOrder) {
    Script().list = FixedWindow().Encode();
    // Made in an order that their places on screen do not suggest.
    Script().createControls = [](ScriptedWindow& w) {
        CreateControl(w, PushButton::Lookup(), "Third", Button("Third", 10, 100, 0).Encode());
        CreateControl(w, PushButton::Lookup(), "First", Button("First", 10, 10, 1).Encode());
        CreateControl(w, PushButton::Lookup(), "Second", Button("Second", 10, 50, 2).Encode());
    };
    Ref<ScriptedWindow> w = Build();
    std::vector<QWidget*> made;
    for (const Ref<Control>& c : w->Controls()) made.push_back(c->Widget());

    // Walk the focus chain from the first control and note the controls met.
    std::vector<QWidget*> chain;
    QWidget* at = made[0];
    do {
        if (std::find(made.begin(), made.end(), at) != made.end()) chain.push_back(at);
        at = at->nextInFocusChain();
    } while (at && at != made[0] && chain.size() < 10);
    EXPECT_EQ(chain, made);
}

TEST_F(WindowTest, TabStopOffAndOnAgainRestoresTheWidgetsFocus) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        CreateControl(w, PushButton::Lookup(), "Button", Button("Button", 10, 10, 0).Encode());
    };
    Ref<ScriptedWindow> w = Build();
    Ref<Control> button = RuntimeWindowControlByName(*w, "Button");
    const Qt::FocusPolicy natural = button->Widget()->focusPolicy();
    ASSERT_NE(natural, Qt::NoFocus);
    button->SetProperty({"TabStop", false});
    EXPECT_EQ(button->Widget()->focusPolicy(), Qt::NoFocus);
    button->SetProperty({"TabStop", true});
    EXPECT_EQ(button->Widget()->focusPolicy(), natural);
}

TEST_F(WindowTest, TextSizeSetBeforeTheListStaysAndADisabledButtonStartsDisabled) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        const std::string create = Button("Create", 10, 10).Set("Enabled", false).Set("Bold", true).Encode();
        Ref<Control> b = CreateControl(w, PushButton::Lookup(), "Create", create, 12.0f);
        BindControlEvent(w, *b, "Action", "Button_Action");
        CreateControl(w, PushButton::Lookup(), "Plain", Button("Plain", 10, 50).Encode());
    };
    Ref<ScriptedWindow> w = Build();
    int actions = 0;
    w->onAction = [&](ScriptedWindow&, PushButton&) { ++actions; };

    Ref<Control> create = RuntimeWindowControlByName(*w, "Create");
    EXPECT_EQ(create->TextSize(), 12.0f);
    EXPECT_EQ(create->TextUnit(), 0);
    EXPECT_EQ(create->Widget()->font().pixelSize(), 12) << "one pixel per design point";
    EXPECT_TRUE(create->Widget()->font().bold());
    EXPECT_FALSE(create->Enabled());
    EXPECT_FALSE(create->Widget()->isEnabled());

    Ref<Control> plain = RuntimeWindowControlByName(*w, "Plain");
    EXPECT_TRUE(plain->Widget()->isEnabled());
    EXPECT_NE(plain->Widget()->font().pointSizeF(), 0.0);

    WidgetOf<QPushButton>(create)->click();
    RuntimeCheckCast<PushButton>(create)->Push();
    EXPECT_EQ(actions, 0) << "a disabled button raises no Action";

    create->SetEnabled(true);
    EXPECT_TRUE(create->Widget()->isEnabled());
    WidgetOf<QPushButton>(create)->click();
    EXPECT_EQ(actions, 1);
}

TEST_F(WindowTest, ControlSetMembersAreFoundByNameAndIndex) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        for (int32_t i = 0; i < 3; ++i) {
            auto d = Button("rb", 10, 10 + 30 * i, i);
            d.Set("Index", i).Set("Caption", "member " + std::to_string(i));
            CreateControl(w, PushButton::Lookup(), "rb", d.Encode(), std::nullopt, i);
        }
    };
    Ref<ScriptedWindow> w = Build();
    ASSERT_EQ(w->Controls().size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        Ref<Control> member = RuntimeWindowControlByNameIndex(*w, "rb", i);
        ASSERT_TRUE(member) << i;
        EXPECT_EQ(member->Index(), i);
        EXPECT_EQ(WidgetOf<QPushButton>(member)->text().toStdString(), "member " + std::to_string(i));
    }
    EXPECT_FALSE(RuntimeWindowControlByNameIndex(*w, "rb", 3));
    EXPECT_FALSE(RuntimeWindowControlByNameIndex(*w, "rb", design::kNoIndex));
    EXPECT_FALSE(RuntimeWindowControlByName(*w, "rb")) << "a member is reached only with its index";
}

// ---- the implicit instance ----

TEST_F(WindowTest, ImplicitInstanceIsTheOpenWindowAndANewOneAfterClose) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        const std::string text = design::EncodeList(StaticText::Kind(),
            {{"Name", "Label"s}, {"Text", "design"s}, {"Width", 100}, {"Height", 20}});
        CreateControl(w, StaticText::Lookup(), "Label", text);
    };
    Ref<ScriptedWindow> first = ImplicitInstance<ScriptedWindow>();
    EXPECT_EQ(ImplicitInstance<ScriptedWindow>().get(), first.get());
    EXPECT_EQ(GetImplicitWindow("ScriptedWindow.ScriptedWindow").get(), first.get());
    EXPECT_EQ(first->raised.size(), 3u) << "the second call built nothing";

    auto label = RuntimeCheckCast<StaticText>(RuntimeWindowControlByName(*first, "Label"));
    label->SetText("changed");
    EXPECT_EQ(WidgetOf<QLabel>(label)->text(), "changed");

    first->Close();
    EXPECT_FALSE(first->IsOpen());
    EXPECT_EQ(first->raised.back(), "Close");
    EXPECT_FALSE(GetImplicitWindow("ScriptedWindow.ScriptedWindow"));
    EXPECT_TRUE(OpenWindows().empty());

    Ref<ScriptedWindow> second = ImplicitInstance<ScriptedWindow>();
    ASSERT_TRUE(second);
    EXPECT_NE(second.get(), first.get());
    EXPECT_TRUE(second->IsOpen());
    auto fresh = RuntimeCheckCast<StaticText>(RuntimeWindowControlByName(*second, "Label"));
    EXPECT_EQ(fresh->Text(), "design");
    EXPECT_EQ(WidgetOf<QLabel>(fresh)->text(), "design");
}

TEST_F(WindowTest, AWindowMadeDirectlyBesideTheImplicitInstanceDoesNotReplaceIt) {
    Script().list = FixedWindow().Encode();
    Ref<ScriptedWindow> implicit = ImplicitInstance<ScriptedWindow>();
    auto direct = RuntimeCheckCast<ScriptedWindow>(RuntimeNewObject(ScriptedWindow::Lookup()));
    direct->Constructor();
    EXPECT_EQ(OpenWindows().size(), 2u);
    EXPECT_EQ(ImplicitInstance<ScriptedWindow>().get(), implicit.get());
    direct->Close();
    EXPECT_EQ(ImplicitInstance<ScriptedWindow>().get(), implicit.get()) << "closing the other one leaves it";
}

TEST_F(WindowTest, ClosedWindowsAreFreed) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        CreateControl(w, PushButton::Lookup(), "OK", Button("OK", 10, 10).Encode());
    };
    {
        Ref<ScriptedWindow> w = Build();
        QPointer<QWidget> widget = w->Widget();
        w->Close();
        w = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return widget.isNull(); }));
    }
    EXPECT_EQ(LiveScriptedWindows(), 0);
}

TEST_F(WindowTest, TheCloseBoxClosesTheWindow) {
    Script().list = FixedWindow().Encode();
    Ref<ScriptedWindow> w = Build();
    w->Widget()->close();
    EXPECT_FALSE(w->IsOpen());
    EXPECT_EQ(w->raised.back(), "Close");
    EXPECT_FALSE(GetImplicitWindow("ScriptedWindow.ScriptedWindow"));
}

// ---- control events ----

class ControlEventTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Script().list = FixedWindow().Encode();
        Script().createControls = [](ScriptedWindow& w) {
            for (const char* name : {"Left", "Right"}) {
                Ref<Control> b = CreateControl(w, PushButton::Lookup(), name, Button(name, 10, 10).Encode());
                BindControlEvent(w, *b, "Action", "Button_Action");
            }
        };
    }
};

TEST_F(ControlEventTest, AClickEntersTheHandlerWithMeTheButtonAndSelfTheWindow) {
    Ref<ScriptedWindow> w = Build();
    using Entry = std::pair<Object*, Object*>;  // (Self, Me)
    std::vector<Entry> entered;
    w->onAction = [&](ScriptedWindow& self, PushButton& me) { entered.emplace_back(&self, &me); };
    Ref<Control> left = RuntimeWindowControlByName(*w, "Left");
    Ref<Control> right = RuntimeWindowControlByName(*w, "Right");

    MouseClick(right->Widget());
    WidgetOf<QPushButton>(left)->click();
    ProcessEvents();
    ASSERT_EQ(entered.size(), 2u);
    EXPECT_EQ(entered[0], Entry(w.get(), right.get()));
    EXPECT_EQ(entered[1], Entry(w.get(), left.get()));
}

TEST_F(ControlEventTest, AnExceptionFromAHandlerIsKeptForTheLoop) {
    Ref<ScriptedWindow> w = Build();
    w->onAction = [](ScriptedWindow&, PushButton&) { throw RuntimeException("from the handler"); };
    WidgetOf<QPushButton>(RuntimeWindowControlByName(*w, "Left"))->click();
    std::exception_ptr e = TakePendingException();
    ASSERT_TRUE(e) << "Qt called us: the exception must not pass through it, nor be lost";
    EXPECT_THROW(std::rethrow_exception(e), RuntimeException);
}

TEST_F(ControlEventTest, AHandlerThatClosesItsOwnWindow) {
    for (bool keepWindow : {true, false}) {
        SCOPED_TRACE(keepWindow ? "the test holds the window" : "only the window list holds it");
        Ref<ScriptedWindow> w = Build();
        int actions = 0;
        w->onAction = [&](ScriptedWindow& self, PushButton&) {
            ++actions;
            self.Close();
        };
        QPointer<QPushButton> button = WidgetOf<QPushButton>(RuntimeWindowControlByName(*w, "Left"));
        QPointer<QWidget> widget = w->Widget();
        Ref<ScriptedWindow> kept = keepWindow ? w : nullptr;
        w = nullptr;

        // Two clicks arrive before the closed window's widgets are gone.
        MouseClick(button);
        ASSERT_TRUE(button);
        MouseClick(button);
        EXPECT_EQ(actions, 1);
        EXPECT_FALSE(GetImplicitWindow("ScriptedWindow.ScriptedWindow"));
        EXPECT_TRUE(OpenWindows().empty());
        EXPECT_TRUE(PumpUntil([&] { return widget.isNull(); }));
        EXPECT_EQ(LiveScriptedWindows(), keepWindow ? 1 : 0);
    }
}

// ---- what the window's list does ----

QSize ContentSizeWhenShown(const Ref<ScriptedWindow>& w) {
    PumpUntil([&] { return w->Widget()->isVisible(); });
    ProcessEvents();
    return w->ContentArea()->size();
}

Ref<MenuBar> SmallMenuBar() {
    auto bar = RuntimeNewObject<MenuBar>();
    auto file = RuntimeNewObject<MenuItem>();
    file->SetName("FileMenu");
    file->SetText("File");
    auto item = RuntimeNewObject<MenuItem>();
    item->SetName("FileNew");
    item->SetText("New");
    file->Append(item);
    bar->Append(file);
    return bar;
}

TEST_F(WindowTest, ContentAreaHasTheDesignSizeWithAndWithoutAMenuBar) {
    struct Case {
        const char* what;
        bool resizeable;
        bool menuBar;
        bool menuBarVisible = true;
    };
    for (const Case& c : {Case{"fixed", false, false}, Case{"fixed with menu bar", false, true},
                          Case{"resizeable", true, false}, Case{"resizeable with menu bar", true, true},
                          Case{"fixed with hidden menu bar", false, true, false},
                          Case{"resizeable with hidden menu bar", true, true, false}}) {
        SCOPED_TRACE(c.what);
        Script().list =
            FixedWindow(300, 180).Set("Resizeable", c.resizeable).Set("MenuBarVisible", c.menuBarVisible).Encode();
        Script().layout = [&](ScriptedWindow& w) {
            if (c.menuBar) w.SetMenuBar(SmallMenuBar());
        };
        Ref<ScriptedWindow> w = Build();
        EXPECT_EQ(ContentSizeWhenShown(w), QSize(300, 180));
        auto* main = qobject_cast<QMainWindow*>(w->Widget());
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(main->menuWidget() != nullptr, c.menuBar) << "a window without a menu bar shows no empty bar";
        if (main->menuWidget()) {
            EXPECT_EQ(main->menuWidget()->isVisible(), c.menuBarVisible);
        }
        if (!c.resizeable) {
            EXPECT_EQ(w->ContentArea()->minimumSize(), QSize(300, 180));
            EXPECT_EQ(w->ContentArea()->maximumSize(), QSize(300, 180));
        }
        w->Close();
        ProcessEvents();
    }
}

TEST_F(WindowTest, TitleAndResizeLimits) {
    const std::string title = "\xC2\xB5 Structure Settings";
    auto d = FixedWindow(300, 180).Set("Title", title).Set("Resizeable", true);
    d.Set("MinWidth", 200).Set("MinHeight", 100).Set("MaxWidth", 640).Set("MaxHeight", 480);
    Script().list = d.Encode();
    Ref<ScriptedWindow> w = Build();
    EXPECT_EQ(w->Widget()->windowTitle(), QString::fromUtf8("\xC2\xB5 Structure Settings"));
    EXPECT_EQ(w->Title(), title);
    EXPECT_EQ(w->ContentArea()->minimumSize(), QSize(200, 100));
    EXPECT_EQ(w->ContentArea()->maximumSize(), QSize(640, 480));
}

TEST_F(WindowTest, StaticTextBreaksLinesAtCarriageReturnsAndAligns) {
    Script().list = FixedWindow().Encode();
    Script().createControls = [](ScriptedWindow& w) {
        design::ListDesign d(StaticText::Kind());
        d.Set("Name", "Centred"s).Set("Text", "one\rtwo\r\nthree"s).Set("TextAlign", 1);
        d.Set("TextColor", Color{200, 10, 20}).Set("Multiline", true).Set("Width", 200).Set("Height", 60);
        CreateControl(w, StaticText::Lookup(), "Centred", d.Encode());
        d.Set("Name", "Right"s).Set("Text", "r"s).Set("TextAlign", 2);
        CreateControl(w, StaticText::Lookup(), "Right", d.Encode());
        d.Set("Name", "Left"s).Set("TextAlign", 0);
        CreateControl(w, StaticText::Lookup(), "Left", d.Encode());
    };
    Ref<ScriptedWindow> w = Build();
    auto* centred = WidgetOf<QLabel>(RuntimeWindowControlByName(*w, "Centred"));
    EXPECT_EQ(centred->text(), "one\ntwo\nthree");
    EXPECT_TRUE(centred->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(centred->wordWrap());
    EXPECT_EQ(centred->palette().color(QPalette::WindowText), QColor(200, 10, 20));
    EXPECT_TRUE(WidgetOf<QLabel>(RuntimeWindowControlByName(*w, "Right"))->alignment() & Qt::AlignRight);
    EXPECT_TRUE(WidgetOf<QLabel>(RuntimeWindowControlByName(*w, "Left"))->alignment() & Qt::AlignLeft);
}

TEST_F(WindowTest, AFontTheMachineLacksFallsBackToTheDefaultFamily) {
    // DejaVu Serif comes with fonts-dejavu-core, which the set-up installs; a family
    // picked from the machine's own list could be a fontconfig alias that Qt
    // resolves to another name.
    const QString installed = "DejaVu Serif";
    Script().list = FixedWindow().Encode();
    Script().createControls = [&](ScriptedWindow& w) {
        const std::string old = Button("Old", 10, 10).Set("TextFont", "Charcoal"s).Encode();
        CreateControl(w, PushButton::Lookup(), "Old", old, 12.0f);
        const std::string known = Button("Known", 10, 50).Set("TextFont", installed.toStdString()).Encode();
        CreateControl(w, PushButton::Lookup(), "Known", known);
    };
    Ref<ScriptedWindow> w = Build();
    ASSERT_FALSE(QFontDatabase::hasFamily("Charcoal")) << "this machine has the font; the case proves nothing";
    ASSERT_TRUE(QFontDatabase::hasFamily(installed)) << "fonts-dejavu-core is not installed";
    const QFont old = RuntimeWindowControlByName(*w, "Old")->Widget()->font();
    EXPECT_EQ(old.family(), QFont().family());
    EXPECT_EQ(old.pixelSize(), 12) << "the size still applies";
    EXPECT_EQ(RuntimeWindowControlByName(*w, "Old")->TextFont(), "Charcoal") << "the property keeps its value";
    EXPECT_EQ(RuntimeWindowControlByName(*w, "Known")->Widget()->font().family(), installed);
}

QImage Grab(QWidget* w) { return w->grab().toImage(); }

TEST_F(WindowTest, BackdropIsDrawnAtTheTopLeftOverTheBackColour) {
    Script().list = FixedWindow(60, 40).Set("HasBackColor", true).Set("BackColor", Color{0, 0, 255}).Encode();
    Script().layout = [](ScriptedWindow& w) {
        Ref<Picture> backdrop = NewPicture(20, 10, 32);
        Ref<Graphics> g = backdrop->Graphics();
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 20; ++x) g->Pixel(x, y, RGB(255, 0, 0));
        g->Pixel(19, 9, RGB(0, 255, 0));
        w.SetBackdrop(backdrop);
    };
    Ref<ScriptedWindow> w = Build();
    ContentSizeWhenShown(w);
    const QImage image = Grab(w->ContentArea());
    ASSERT_GE(image.width(), 60);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(18, 9), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(19, 9), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(20, 0), QColor(0, 0, 255)) << "beside the backdrop";
    EXPECT_EQ(image.pixelColor(0, 10), QColor(0, 0, 255)) << "below the backdrop";
    EXPECT_EQ(image.pixelColor(59, 39), QColor(0, 0, 255));
}

}  // namespace
}  // namespace qv
