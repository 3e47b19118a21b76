// The five settings windows as the user meets them: opened from a main window's
// Settings menu or its shortcut, built as designed, one instance while open, closed
// by OK, Cancel or the close box, and the String Randomize sliders' read-outs.
#include "AppFixture.h"
#include "GoldenLists.h"

#include "qaWindow.h"
#include "srWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <tuple>

// How Qt's own test library hands a key to the shortcut map; this target does not link it.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                                const QString& text = QString(), bool autorep = false,
                                                ushort count = 1);

namespace quil::testing {
namespace {

// What the user changes in a window: the control, how, and its value before and after.
struct Change {
    const char* name;
    std::optional<int32_t> index;
    bool byKey;  // Right arrow on the widget; otherwise a click
    int32_t design, changed;
};

struct SettingsCase {
    const char* id;
    const char* item;     // the menu item's Name
    const char* caption;  // what the menu shows
    Qt::Key key;          // with Ctrl
    const char* className;
    std::string title;
    std::map<std::string, int> kinds;
    std::set<int32_t> unusedTabIndexes;
    std::set<std::string> ticked;    // captions
    std::set<std::string> selected;  // "set index"
    std::vector<int32_t> sliders;    // in creation order
    Change change;
    std::set<std::string> beyondDesignSize = {};  // controls that show only in a widened window
};

void PrintTo(const SettingsCase& c, std::ostream* os) { *os << c.id; }

const SettingsCase kWindows[] = {
    {"mWindow", "Settings\xC2\xB5structure", "\xC2\xB5 Structure", Qt::Key_M, "mWindow.mWindow",
     "\xC2\xB5 Structure Settings", {{"PushButton", 2}, {"CheckBox", 37}, {"Separator", 3}, {"StaticText", 1}},
     {2, 3, 5, 6, 7, 8, 10, 11, 13, 19, 23, 26, 27, 28, 29, 30, 31},
     {"Partials", "Slim", "Time", "Eliminate", "X - Q2", "Y + Q4", "Y / Q3"}, {}, {}, {"CheckBox3", {}, false, 1, 0}},
    {"eeWindow", "SettingsEvolutionEngine", "Evolution Engine", Qt::Key_E, "eeWindow.eeWindow",
     "Evolution Engine Settings",
     {{"PushButton", 2}, {"StaticText", 17}, {"Slider", 5}, {"RadioButton", 7}, {"Separator", 1}}, {}, {}, {},
     {14, 78, 29, 0, 58}, {"Slider1", {}, true, 14, 15}},
    {"qaWindow", "SettingsQuantum", "Quantum Architecture", Qt::Key_U, "qaWindow.qaWindow",
     "Quantum Archutecture Settings",
     {{"PushButton", 2}, {"RadioButton", 10}, {"StaticText", 6}, {"Separator", 3}, {"Slider", 1}, {"CheckBox", 6}},
     {}, {"Inhibit Decay", "Allow Half Spins"}, {"rb2 1", "rb3 2"}, {15}, {"rb3", 0, false, 0, 1}, {"StaticText6"}},
    {"srWindow", "SettingsStringRandomizing", "String Randomizing", Qt::Key_T, "srWindow.srWindow",
     "String Randomize Settings",
     {{"PushButton", 2}, {"StaticText", 22}, {"Slider", 12}, {"CheckBox", 1}, {"Separator", 7}, {"Line", 1}},
     {35, 36}, {}, {}, std::vector<int32_t>(12, 0), {"Slider12", {}, true, 0, 1}},
    {"raWindow", "SettingsRecursionAggregator", "Recursion Aggregator", Qt::Key_R, "raWindow.raWindow",
     "Recursion Aggregator Settings", {{"PushButton", 2}, {"StaticText", 1}, {"CheckBox", 10}}, {}, {"(k4)", "(y)"},
     {}, {}, {"CheckBox1", {}, false, 0, 1}},
};

const SettingsCase& Case(std::string_view id) {
    for (const SettingsCase& c : kWindows)
        if (c.id == id) return c;
    throw std::out_of_range(std::string(id));
}

std::string KindOf(const qv::Ref<qv::Control>& c) {
    if (qv::RuntimeCheckCast<qv::PushButton>(c)) return "PushButton";
    if (qv::RuntimeCheckCast<qv::CheckBox>(c)) return "CheckBox";
    if (qv::RuntimeCheckCast<qv::RadioButton>(c)) return "RadioButton";
    if (qv::RuntimeCheckCast<qv::Slider>(c)) return "Slider";
    if (qv::RuntimeCheckCast<qv::StaticText>(c)) return "StaticText";
    if (qv::RuntimeCheckCast<qv::Separator>(c)) return "Separator";
    if (qv::RuntimeCheckCast<qv::Line>(c)) return "Line";
    return "unknown";
}

qv::Ref<qv::Control> Find(qv::Window& w, const char* name, std::optional<int32_t> index = {}) {
    return index ? qv::RuntimeWindowControlByNameIndex(w, name, *index) : qv::RuntimeWindowControlByName(w, name);
}

void Key(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

void ClickOn(qv::Window& w, const char* name, std::optional<int32_t> index = {}) {
    static_cast<QAbstractButton*>(Find(w, name, index)->Widget())->click();
}

// The value the user sees: a box's State, a radio button's selection, a slider's Value.
int32_t ValueOf(qv::Window& w, const Change& ch) {
    qv::Ref<qv::Control> c = Find(w, ch.name, ch.index);
    if (auto box = qv::RuntimeCheckCast<qv::CheckBox>(c)) return box->State();
    if (auto radio = qv::RuntimeCheckCast<qv::RadioButton>(c)) return radio->Value() ? 1 : 0;
    if (auto slider = qv::RuntimeCheckCast<qv::Slider>(c)) return slider->Value();
    return -1;
}

void MakeChange(qv::Window& w, const Change& ch) {
    if (ch.byKey)
        Key(Find(w, ch.name, ch.index)->Widget(), Qt::Key_Right);
    else
        ClickOn(w, ch.name, ch.index);
    EXPECT_EQ(qv::TakePendingException(), nullptr);
}

std::set<std::string> Selected(qv::Window& w) {
    std::set<std::string> out;
    for (const qv::Ref<qv::Control>& c : w.Controls())
        if (auto r = qv::RuntimeCheckCast<qv::RadioButton>(c); r && r->Value())
            out.insert(r->Name() + " " + std::to_string(r->Index()));
    return out;
}

std::map<std::string, QRect> Geometries(const qv::Window& w) {
    std::map<std::string, QRect> out;
    for (const qv::Ref<qv::Control>& c : w.Controls())
        out[c->Name() + " " + std::to_string(c->Index())] = c->Widget()->geometry();
    return out;
}

class SettingsWindowsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        main = Window1::Instance();
    }
    void TearDown() override {
        main = nullptr;
        AppTest::TearDown();
    }

    static qv::Ref<qv::Window> Opened(const SettingsCase& c) { return qv::GetImplicitWindow(c.className); }

    // Chooses the item from the window's own Settings menu.
    static qv::Ref<qv::Window> Choose(qv::Window& from, const SettingsCase& c) {
        QAction* action = MenuAction(from, c.caption);
        EXPECT_NE(action, nullptr) << c.caption;
        if (action) action->trigger();
        EXPECT_EQ(qv::TakePendingException(), nullptr);
        return Opened(c);
    }

    // Presses the item's shortcut with the window in front.
    static qv::Ref<qv::Window> PressShortcut(qv::Window& from, const SettingsCase& c) {
        from.Widget()->activateWindow();
        qv::ProcessEvents();
        EXPECT_EQ(QApplication::activeWindow(), from.Widget());
        EXPECT_TRUE(qt_sendShortcutOverrideEvent(from.Widget(), 0, c.key, Qt::ControlModifier)) << c.id;
        EXPECT_EQ(qv::TakePendingException(), nullptr);
        return Opened(c);
    }

    qv::Ref<Window1> NewMainWindow() {
        MenuAction(*main, "New")->trigger();
        return MainWindows().back();
    }

    qv::Ref<Window1> main;
};

class SettingsWindowTest : public SettingsWindowsTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsWindowTest, OpensAsAResizableWindowOf600By400) {
    const SettingsCase& c = GetParam();
    ASSERT_FALSE(Opened(c));
    qv::Ref<qv::Window> w = Choose(*main, c);
    ASSERT_TRUE(w);
    qv::ProcessEvents();
    QWidget* top = w->Widget();
    EXPECT_TRUE(top->isVisible());
    EXPECT_FALSE(top->isModal());
    EXPECT_EQ(top->windowTitle().toUtf8().toStdString(), c.title);
    EXPECT_EQ(w->ContentArea()->size(), QSize(600, 400));
    EXPECT_EQ(w->ContentArea()->minimumSize(), QSize(64, 64));
    EXPECT_EQ(w->ContentArea()->maximumSize(), QSize(32000, 32000));
    const Qt::WindowFlags flags = top->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_P(SettingsWindowTest, BuildsItsControlsInTabOrderAtTheirPlacesWithTheDesignValues) {
    const SettingsCase& c = GetParam();
    qv::Ref<qv::Window> w = Choose(*main, c);
    ASSERT_TRUE(w);
    const std::vector<qv::Ref<qv::Control>>& controls = w->Controls();
    std::map<std::string, int> kinds;
    std::vector<int32_t> tabOrder, sliders;
    std::set<std::string> ticked;
    for (size_t i = 0; i < controls.size(); ++i) {
        const qv::Ref<qv::Control>& ctl = controls[i];
        SCOPED_TRACE(ctl->Name() + " " + std::to_string(ctl->Index()));
        ++kinds[KindOf(ctl)];
        QWidget* widget = ctl->Widget();
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), w->ContentArea());
        // What the widget shows is held against the golden data, not against the
        // control, which was built from the same table.
        const qv::golden::Decoded golden(qv::golden::GoldenListOf(c.id, ctl->Name(), ctl->Index()));
        if (qv::RuntimeCheckCast<qv::Line>(ctl)) {
            EXPECT_EQ(i + 1, controls.size()) << "a line, with no TabIndex, comes last";
            EXPECT_TRUE(widget->geometry().contains(QPoint(golden.Int("X1"), golden.Int("Y1"))));
            EXPECT_TRUE(widget->geometry().contains(QPoint(golden.Int("X2"), golden.Int("Y2"))));
            continue;
        }
        tabOrder.push_back(ctl->TabIndex());
        EXPECT_EQ(widget->geometry(),
                  QRect(golden.Int("Left"), golden.Int("Top"), golden.Int("Width"), golden.Int("Height")));
        if (auto box = qv::RuntimeCheckCast<qv::CheckBox>(ctl)) {
            EXPECT_EQ(box->State(), golden.Int("State"));
            EXPECT_EQ(static_cast<QCheckBox*>(widget)->isChecked(), golden.Bool("Value"));
            if (box->Value()) ticked.insert(box->Caption());
        } else if (qv::RuntimeCheckCast<qv::RadioButton>(ctl)) {
            EXPECT_EQ(static_cast<QRadioButton*>(widget)->isChecked(), golden.Bool("Value"));
        } else if (auto slider = qv::RuntimeCheckCast<qv::Slider>(ctl)) {
            EXPECT_EQ(static_cast<QSlider*>(widget)->value(), golden.Int("Value"));
            sliders.push_back(slider->Value());
        }
    }
    EXPECT_EQ(kinds, c.kinds);
    std::vector<int32_t> expected;
    for (int32_t i = 0; expected.size() < tabOrder.size(); ++i)
        if (!c.unusedTabIndexes.count(i)) expected.push_back(i);
    EXPECT_EQ(tabOrder, expected);
    EXPECT_EQ(ticked, c.ticked);
    EXPECT_EQ(Selected(*w), c.selected);
    EXPECT_EQ(sliders, c.sliders);

    // The shared buttons come first in every window.
    ASSERT_GE(controls.size(), 2u);
    for (const auto& [i, name, text, at] : {std::tuple{0, "mOK", "OK", QRect(491, 361, 80, 20)},
                                            std::tuple{1, "mCancel", "Cancel", QRect(396, 361, 80, 20)}}) {
        EXPECT_EQ(controls[i]->Name(), name);
        EXPECT_EQ(ButtonWidget(*w, name)->text(), text);
        EXPECT_EQ(ButtonWidget(*w, name)->geometry(), at);
    }
}

TEST_P(SettingsWindowTest, ShowsOneInstanceFromEitherMainWindowByMenuOrShortcutKeepingTheUsersChange) {
    const SettingsCase& c = GetParam();
    qv::Ref<qv::Window> w = Choose(*main, c);
    ASSERT_TRUE(w);
    EXPECT_EQ(ValueOf(*w, c.change), c.change.design);
    MakeChange(*w, c.change);
    EXPECT_EQ(ValueOf(*w, c.change), c.change.changed);
    qv::Ref<Window1> second = NewMainWindow();
    ASSERT_NE(second.get(), main.get());
    const size_t open = qv::OpenWindows().size();

    for (const qv::Ref<Window1>& from : {second, main}) {
        for (bool byShortcut : {false, true}) {
            SCOPED_TRACE(std::string(from == main ? "first" : "second") + (byShortcut ? " by shortcut" : " by menu"));
            w->Hide();
            qv::Ref<qv::Window> again = byShortcut ? PressShortcut(*from, c) : Choose(*from, c);
            EXPECT_EQ(again.get(), w.get());
            EXPECT_TRUE(w->Widget()->isVisible()) << "shown again";
            EXPECT_EQ(ValueOf(*w, c.change), c.change.changed);
            EXPECT_EQ(qv::OpenWindows().size(), open) << "no second instance";
        }
    }
}

TEST_P(SettingsWindowTest, OkCancelAndTheCloseBoxEachDiscardTheUsersChange) {
    const SettingsCase& c = GetParam();
    const std::vector<std::pair<const char*, std::function<void(qv::Window&)>>> closers = {
        {"OK", [](qv::Window& w) { Click(w, "mOK"); }},
        {"Cancel", [](qv::Window& w) { Click(w, "mCancel"); }},
        {"close box", [](qv::Window& w) { w.Widget()->close(); }},
    };
    for (const auto& [how, close] : closers) {
        SCOPED_TRACE(how);
        qv::Ref<qv::Window> w = Choose(*main, c);
        ASSERT_TRUE(w);
        MakeChange(*w, c.change);
        close(*w);
        qv::ProcessEvents();
        EXPECT_EQ(qv::TakePendingException(), nullptr);
        EXPECT_FALSE(w->IsOpen());
        EXPECT_FALSE(Opened(c));
        EXPECT_TRUE(main->IsOpen());

        qv::Ref<qv::Window> fresh = Choose(*main, c);
        ASSERT_TRUE(fresh);
        EXPECT_NE(fresh.get(), w.get());
        EXPECT_EQ(ValueOf(*fresh, c.change), c.change.design);
        Click(*fresh, "mOK");
    }
}

TEST_P(SettingsWindowTest, OkClosesOnlyItsOwnWindowAndSurvivesItsMainWindow) {
    const SettingsCase& c = GetParam();
    qv::Ref<Window1> second = NewMainWindow();
    std::vector<qv::Ref<qv::Window>> all;
    for (const SettingsCase& each : kWindows) all.push_back(Choose(*main, each));
    qv::Ref<qv::Window> w = Opened(c);
    ASSERT_TRUE(w);

    // Closing the main window they were opened from closes none of them.
    main->Widget()->close();
    qv::ProcessEvents();
    EXPECT_FALSE(main->IsOpen());
    for (const qv::Ref<qv::Window>& each : all) EXPECT_TRUE(each->IsOpen());

    Click(*w, "mOK");
    qv::ProcessEvents();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    EXPECT_FALSE(w->IsOpen());
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == w) continue;
        EXPECT_TRUE(all[i]->IsOpen()) << kWindows[i].id;
        EXPECT_EQ(Opened(kWindows[i]), all[i]) << kWindows[i].id;
    }
    EXPECT_TRUE(second->IsOpen());
}

TEST_P(SettingsWindowTest, HandlerReturnsTrueSoTheApplicationIsNotAsked) {
    const SettingsCase& c = GetParam();
    int asked = 0;
    App()->AddMenuHandler(c.item, [&] { return ++asked > 0; });
    ASSERT_TRUE(Choose(*main, c));
    EXPECT_EQ(asked, 0);
    const qv::MenuEntry* handler = main->MenuHandler(c.item);
    ASSERT_NE(handler, nullptr);
    EXPECT_TRUE((*handler)());
}

TEST_P(SettingsWindowTest, ResizingMovesNoControlAndWideningShowsThoseBeyondTheDesignSize) {
    const SettingsCase& c = GetParam();
    qv::Ref<qv::Window> w = Choose(*main, c);
    ASSERT_TRUE(w);
    qv::ProcessEvents();
    const auto outside = [&] {
        std::set<std::string> names;
        for (const qv::Ref<qv::Control>& ctl : w->Controls())
            if (!w->ContentArea()->rect().contains(ctl->Widget()->geometry())) names.insert(ctl->Name());
        return names;
    };
    EXPECT_EQ(outside(), c.beyondDesignSize);
    const std::map<std::string, QRect> designed = Geometries(*w);
    w->Widget()->resize(64, 64);
    qv::ProcessEvents();
    EXPECT_LT(w->ContentArea()->width(), 600);
    EXPECT_LT(w->ContentArea()->height(), 400);
    EXPECT_EQ(Geometries(*w), designed);
    w->Widget()->resize(800, 600);
    qv::ProcessEvents();
    EXPECT_EQ(w->ContentArea()->width(), 800);
    EXPECT_EQ(Geometries(*w), designed);
    EXPECT_EQ(outside(), std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsWindowTest, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<SettingsCase>& info) { return std::string(info.param.id); });

TEST_F(SettingsWindowsTest, RadioSetMembersAreOfTheirSetClassInCreationOrder) {
    const std::tuple<const char*, const char*, const char*, std::vector<int32_t>> sets[] = {
        {"eeWindow", "rb1", "eeWindow.rb1", {0, 1, 2, 3, 4, 5, 6}},
        {"qaWindow", "rb2", "qaWindow.rb2", {0, 1, 2, 3, 4}},
        {"qaWindow", "rb3", "qaWindow.rb3", {0, 1, 3, 2, 4}},
    };
    for (const auto& [window, set, className, creationOrder] : sets) {
        SCOPED_TRACE(set);
        qv::Ref<qv::Window> w = Choose(*main, Case(window));
        ASSERT_TRUE(w);
        std::vector<int32_t> order;
        for (const qv::Ref<qv::Control>& c : w->Controls()) {
            if (c->Name() != set) continue;
            order.push_back(c->Index());
            EXPECT_EQ(c->Class()->name, className);
            EXPECT_TRUE(qv::RuntimeCheckCast<qv::RadioButton>(c));
            EXPECT_EQ(Find(*w, set, c->Index()), c);
        }
        EXPECT_EQ(order, creationOrder);
        EXPECT_FALSE(Find(*w, set)) << "a member is reached only with its index";
    }
    EXPECT_TRUE(qv::RuntimeCheckCast<qaWindow::rb3>(Find(*Opened(Case("qaWindow")), "rb3", 2)));
    EXPECT_FALSE(qv::RuntimeCheckCast<qaWindow::rb2>(Find(*Opened(Case("qaWindow")), "rb3", 2)));
}

TEST_F(SettingsWindowsTest, QuantumSetsNumberTheirMembersDifferentlyAndSelectIndependently) {
    qv::Ref<qv::Window> w = Choose(*main, Case("qaWindow"));
    ASSERT_TRUE(w);
    const std::tuple<const char*, int32_t, const char*> captions[] = {
        {"rb2", 2, "Anti-Proton"}, {"rb2", 3, "Neutron"}, {"rb3", 2, "Neutron"}, {"rb3", 3, "Anti-Proton"}};
    for (const auto& [set, index, caption] : captions) {
        auto member = qv::RuntimeCheckCast<qv::RadioButton>(Find(*w, set, index));
        ASSERT_TRUE(member) << set << " " << index;
        EXPECT_EQ(member->Caption(), caption) << set << " " << index;
        EXPECT_EQ(static_cast<QRadioButton*>(member->Widget())->text(), caption);
    }
    EXPECT_EQ(Selected(*w), (std::set<std::string>{"rb2 1", "rb3 2"}));
    ClickOn(*w, "rb2", 0);
    EXPECT_EQ(Selected(*w), (std::set<std::string>{"rb2 0", "rb3 2"}));
    ClickOn(*w, "rb3", 4);
    EXPECT_EQ(Selected(*w), (std::set<std::string>{"rb2 0", "rb3 4"}));
    EXPECT_EQ(qv::TakePendingException(), nullptr);
}

// Each slider, the label it writes into and where that label stands; stated here
// rather than taken from the window's own table.
const std::tuple<const char*, const char*, int32_t> kReadouts[] = {
    {"Slider1", "sliderText", 56},        {"Slider2", "sliderText1", 187},      {"Slider3", "sliderText11", 318},
    {"Slider4", "sliderText111", 449},    {"Slider5", "sliderText1111", 390},   {"Slider6", "sliderText11111", 254},
    {"Slider7", "sliderText111111", 119}, {"Slider8", "sliderText12", 58},      {"Slider9", "sliderText112", 201},
    {"Slider10", "sliderText1112", 320},  {"Slider11", "sliderText11112", 451}, {"Slider12", "sliderText121", 256},
};

// Every label's text, by the label's name.
std::map<std::string, std::string> Texts(qv::Window& w) {
    std::map<std::string, std::string> out;
    for (const qv::Ref<qv::Control>& c : w.Controls())
        if (auto t = qv::RuntimeCheckCast<qv::StaticText>(c)) out[t->Name()] = t->Text();
    return out;
}

class SettingsStringRandomizeTest : public SettingsWindowsTest {
protected:
    qv::Ref<srWindow> Open() { return qv::RuntimeCheckCast<srWindow>(Choose(*main, Case("srWindow"))); }
};

TEST_F(SettingsStringRandomizeTest, EachSliderWritesItsValueIntoItsOwnLabelOnly) {
    qv::Ref<srWindow> w = Open();
    ASSERT_TRUE(w);
    const std::map<std::string, std::string> opened = Texts(*w);
    for (const auto& [_, label, left] : kReadouts) EXPECT_EQ(opened.at(label), "0") << "as built, before any handler";
    for (const auto& [sliderName, labelName, left] : kReadouts) {
        SCOPED_TRACE(sliderName);
        qv::Ref<qv::StaticText> label = ControlOf<qv::StaticText>(*w, labelName);
        qv::Ref<qv::Slider> slider = ControlOf<qv::Slider>(*w, sliderName);
        ASSERT_TRUE(label && slider);
        EXPECT_EQ(label->Left(), left);
        Key(slider->Widget(), Qt::Key_Right);
        EXPECT_EQ(qv::TakePendingException(), nullptr);
        EXPECT_EQ(slider->Value(), 1);
        std::map<std::string, std::string> expected = opened;
        expected[labelName] = "1";
        EXPECT_EQ(Texts(*w), expected);
        EXPECT_EQ(static_cast<QLabel*>(label->Widget())->text(), "1");
        Key(slider->Widget(), Qt::Key_Left);
        EXPECT_EQ(slider->Value(), 0);
        EXPECT_EQ(Texts(*w), opened);
    }
}

TEST_F(SettingsStringRandomizeTest, AMissingOrMistypedLabelOrSliderRaisesAndWritesNothing) {
    const std::vector<std::pair<const char*, std::vector<std::pair<const char*, const char*>>>> faults = {
        {"label gone", {{"sliderText", "x"}}},
        {"slider gone", {{"Slider1", "x"}}},
        {"label name finds a check box", {{"sliderText", "x"}, {"CheckBox1", "sliderText"}}},
        {"slider name finds a label", {{"Slider1", "x"}, {"StaticText1", "Slider1"}}},
    };
    for (const auto& [why, renames] : faults) {
        SCOPED_TRACE(why);
        qv::Ref<srWindow> w = Open();
        ASSERT_TRUE(w);
        qv::Ref<qv::Slider> slider = ControlOf<qv::Slider>(*w, "Slider1");
        qv::Ref<qv::CheckBox> box = ControlOf<qv::CheckBox>(*w, "CheckBox1");
        qv::Ref<qv::StaticText> label = ControlOf<qv::StaticText>(*w, "sliderText");
        ASSERT_TRUE(slider && box && label);
        Key(slider->Widget(), Qt::Key_Right);
        ASSERT_EQ(label->Text(), "1");
        for (const auto& [from, to] : renames) ASSERT_TRUE(Find(*w, from)->SetProperty({"Name", std::string(to)}));
        const std::map<std::string, std::string> before = Texts(*w);

        Key(slider->Widget(), Qt::Key_Left);
        const std::exception_ptr raised = qv::TakePendingException();
        ASSERT_TRUE(raised);
        EXPECT_THROW(std::rethrow_exception(raised), qv::NilObjectException);
        EXPECT_EQ(slider->Value(), 0);
        EXPECT_THROW(w->SliderValueChanged(1, *slider), qv::NilObjectException);
        EXPECT_EQ(Texts(*w), before);
        EXPECT_EQ(label->Text(), "1");
        EXPECT_EQ(box->State(), 0);
        EXPECT_TRUE(box->Caption().empty());
        Click(*w, "mOK");
        ASSERT_FALSE(w->IsOpen());
    }
}

TEST_F(SettingsStringRandomizeTest, LineKeepsItsNegativeWidthAndEndPoints) {
    qv::Ref<srWindow> w = Open();
    ASSERT_TRUE(w);
    qv::ProcessEvents();
    qv::Ref<qv::Line> line = ControlOf<qv::Line>(*w, "Line1");
    ASSERT_TRUE(line);
    EXPECT_EQ((std::vector<int32_t>{line->Left(), line->Top(), line->Width(), line->Height(), line->X1(), line->Y1(),
                                    line->X2(), line->Y2()}),
              (std::vector<int32_t>{82, 61, -3, 274, 82, 61, 79, 335}));
    EXPECT_TRUE(line->Widget()->isVisible());
}

}  // namespace
}  // namespace quil::testing
