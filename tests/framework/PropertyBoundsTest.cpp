// Geometry beyond what a window can show, anything a list makes paintable beyond the
// pixel budget, and setters that fail: each stops the list at its entry with a
// PropertyListException that names it, and nothing larger than the bounds reaches Qt
// or memory.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::string_literals;
using testing::Script;
using testing::ScriptedWindow;

std::string ListOf(const std::vector<PropertyEntry>& entries) {
    PropertyListWriter writer;
    for (const PropertyEntry& e : entries) writer.Entry(e);
    return writer.Bytes();
}

// Applies before + bad + after to the target and checks that the list stops at the
// bad entry, naming it: what came before is applied, the bad entry and all after it
// are not.
void ExpectStopsAt(PropertyTarget& target, const std::vector<PropertyEntry>& before, const PropertyEntry& bad,
                   const std::vector<PropertyEntry>& after) {
    std::vector<PropertyEntry> untouched = after;
    untouched.push_back(bad);
    for (PropertyEntry& e : untouched) e.value = *target.GetProperty(e.name);

    std::vector<PropertyEntry> all = before;
    all.push_back(bad);
    all.insert(all.end(), after.begin(), after.end());
    try {
        SetProperties(target, ListOf(all));
        ADD_FAILURE() << "the list was taken whole";
    } catch (const PropertyListException& e) {
        EXPECT_NE(std::string(e.what()).find("\"" + bad.name + "\""), std::string::npos) << e.what();
    }
    for (const PropertyEntry& e : before) EXPECT_EQ(target.GetProperty(e.name), e.value) << e.name << " before";
    for (const PropertyEntry& e : untouched) EXPECT_EQ(target.GetProperty(e.name), e.value) << e.name << " unapplied";
}

class PropertyBoundsTest : public testing::ScriptedWindowTest {
protected:
    Ref<ScriptedWindow> Build() {
        Script().list = design::EncodeWindow({{"Width", 300}, {"Height", 200}, {"Resizeable", false},
                                              {"HasBackColor", true}, {"BackColor", design::kWhite}});
        return ImplicitInstance<ScriptedWindow>();
    }
};

// A line whose pane, its end points and a pen's width beyond them, is 4096 x 4096:
// the pixel budget exactly.
const std::vector<PropertyEntry> kLineAtTheBudget = {
    {"X1", 0}, {"Y1", 0}, {"X2", 4093}, {"Y2", 4093}, {"BorderWidth", 1}};

TEST_F(PropertyBoundsTest, GeometryBeyondTheBoundsStopsTheListAtItsEntry) {
    struct Case {
        const char* what;
        const PropertyKind* kind;  // the window itself for Window::Kind()
        std::vector<PropertyEntry> before;
        PropertyEntry bad;
        std::vector<PropertyEntry> after;
    };
    std::vector<Case> cases = {
        {"canvas 20000 x 20000", &Canvas::Kind(), {{"Left", 5}, {"Width", 20000}}, {"Height", 20000},
         {{"Visible", false}}},
        {"canvas 100000 x 100000", &Canvas::Kind(), {{"Left", 5}}, {"Width", 100000},
         {{"Height", 100000}, {"Enabled", false}}},
        {"canvas of INT_MAX width", &Canvas::Kind(), {{"Top", 7}}, {"Width", INT_MAX}, {{"Visible", false}}},
        {"push button of INT_MIN width", &PushButton::Kind(), {{"Caption", "OK"s}}, {"Width", INT_MIN},
         {{"Enabled", false}}},
        {"static text at Left INT_MIN", &StaticText::Kind(), {{"Top", 3}}, {"Left", INT_MIN}, {{"Text", "x"s}}},
        {"slider one pixel beyond", &Slider::Kind(), {{"Left", -32000}}, {"Top", 32001}, {{"Enabled", false}}},
        {"line end at INT_MIN", &Line::Kind(), {{"Width", -3}}, {"X1", INT_MIN}, {{"Visible", false}}},
        {"window MaxWidth 40000", &Window::Kind(), {{"MinWidth", 10}}, {"MaxWidth", 40000},
         {{"Title", "after"s}}},
        {"window of negative width", &Window::Kind(), {{"Height", 120}}, {"Width", -1}, {{"MaxHeight", 500}}},
        {"window of INT_MAX height", &Window::Kind(), {}, {"Height", INT_MAX}, {{"Title", "after"s}}},
        {"window 4096 x 4097", &Window::Kind(), {{"Width", 4096}}, {"Height", 4097}, {{"Title", "after"s}}},
        {"window's MinWidth against its Height", &Window::Kind(), {{"Width", 300}, {"Height", 4096}},
         {"MinWidth", 4097}, {{"Title", "after"s}}},
        {"window at least MinWidth x MinHeight", &Window::Kind(), {{"Height", 120}, {"MinWidth", 8192}},
         {"MinHeight", 2049}, {{"Title", "after"s}}},
        {"window's Width against its MinHeight", &Window::Kind(),
         {{"MinWidth", 64}, {"Height", 100}, {"MinHeight", kGeometryBound}}, {"Width", 600}, {{"Title", "after"s}}},
        {"push button 32000 x 32000", &PushButton::Kind(), {{"Height", kGeometryBound}}, {"Width", kGeometryBound},
         {{"Caption", "after"s}}},
        // Beyond the range, yet a line of a small pane.
        {"line X1 one beyond", &Line::Kind(), {}, {"X1", kGeometryBound + 1}, {{"Visible", false}}},
        {"line X2 one beyond", &Line::Kind(), {}, {"X2", -kGeometryBound - 1}, {{"Visible", false}}},
        {"line Y1 one beyond", &Line::Kind(), {}, {"Y1", -kGeometryBound - 1}, {{"Visible", false}}},
        {"line Y2 one beyond", &Line::Kind(), {}, {"Y2", kGeometryBound + 1}, {{"Visible", false}}},
        {"line BorderWidth one beyond", &Line::Kind(), {}, {"BorderWidth", -kGeometryBound - 1},
         {{"Visible", false}}},
    };
    // Every kind of control: its Width x Height counts by magnitude.
    for (const PropertyKind* kind : AllPropertyKinds()) {
        if (kind == &Window::Kind()) continue;
        cases.push_back({"8192 x -2049", kind, {{"Width", 8192}}, {"Height", -2049}, {{"Visible", false}}});
    }
    // A line's pane one pixel beyond the budget, grown by each of the entries that place it.
    for (const PropertyEntry& bad : std::vector<PropertyEntry>{
             {"X1", -1}, {"Y1", -1}, {"X2", 4094}, {"Y2", 4094}, {"BorderWidth", 2}}) {
        std::vector<PropertyEntry> before;
        for (const PropertyEntry& e : kLineAtTheBudget)
            if (e.name != bad.name) before.push_back(e);
        cases.push_back({"line pane beyond the budget", &Line::Kind(), before, bad, {{"Visible", false}}});
    }
    Ref<ScriptedWindow> w = Build();
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind->Name()) + ": " + c.what + ", " + c.bad.name);
        Ref<PropertyTarget> target = w;
        if (c.kind != &Window::Kind())
            target = CreateControl(*w, c.kind->Class(), "Control" + std::to_string(++made), "");
        ExpectStopsAt(*target, c.before, c.bad, c.after);
        if (auto canvas = RuntimeCheckCast<Canvas>(target)) {
            EXPECT_LE(int64_t{canvas->Graphics()->Width()} * canvas->Graphics()->Height(), kPixelBudget);
        }
    }
}

TEST_F(PropertyBoundsTest, ValuesAtTheBoundsApplyAndNegativeSizesKeepTheirMeaning) {
    const std::string line = ListOf({{"Name", "Line1"s}, {"Top", 40}, {"Left", 100}, {"Width", -3},
                                     {"Height", 120}, {"X1", 100}, {"X2", 97}, {"Y1", 40}, {"Y2", 160}});
    const std::string button = ListOf({{"Left", -kGeometryBound}, {"Top", 10}, {"Width", -5}, {"Height", 20}});
    const std::string canvas = ListOf({{"Width", kGeometryBound}, {"Height", 1}});
    Ref<ScriptedWindow> w = Build();
    Ref<Control> l = CreateControl(*w, Line::Lookup(), "Line1", line);
    Ref<Control> b = CreateControl(*w, PushButton::Lookup(), "Button1", button);
    Ref<Control> c = CreateControl(*w, Canvas::Lookup(), "Canvas1", canvas);
    SetProperties(*w, ListOf({{"MaxWidth", kGeometryBound}, {"MinHeight", 0}}));

    EXPECT_EQ(l->Width(), -3);
    EXPECT_EQ(b->Width(), -5);
    EXPECT_EQ(b->Widget()->geometry(), QRect(-kGeometryBound, 10, 0, 20)) << "a negative size is an empty widget";
    EXPECT_EQ(c->Width(), kGeometryBound);
    EXPECT_EQ(w->Properties().MaxWidth, kGeometryBound);

    // The line runs from (100, 40) to (97, 160): halfway down it stands near x = 98.5.
    const QImage image = w->ContentArea()->grab().toImage();
    bool crossed = false;
    for (int x = 96; x <= 101; ++x) crossed = crossed || image.pixelColor(x, 100).value() < 80;
    EXPECT_TRUE(crossed);
    EXPECT_EQ(image.pixelColor(110, 100), QColor(Qt::white));
}

TEST_F(PropertyBoundsTest, WhatAListMakesPaintableReachesThePixelBudget) {
    Ref<ScriptedWindow> w = Build();
    // Qt's style paints a button through an image as large as the button.
    Ref<Control> button = CreateControl(*w, PushButton::Lookup(), "Button1",
                                        ListOf({{"Caption", "OK"s}, {"Width", 4096}, {"Height", 4096}}));
    const QPixmap painted = button->Widget()->grab();
    EXPECT_EQ(painted.size(), QSize(4096, 4096));

    Ref<Control> line = CreateControl(*w, Line::Lookup(), "Line1", ListOf(kLineAtTheBudget));
    EXPECT_EQ(line->Widget()->size(), QSize(4096, 4096));

    // Width and Height stay 300 x 200: the window is at least its minimum.
    SetProperties(*w, ListOf({{"MinWidth", 8192}, {"MinHeight", 2048}}));
    EXPECT_EQ(w->Properties().MinHeight, 2048);
}

// A target whose middle property's setter fails as the test tells it to.
class FailingTarget : public PropertyTarget {
public:
    static const PropertyKind& Kind() {
        static const PropertyKind kind("Failing", nullptr,
                                       {Field<&FailingTarget::caption>("Caption", ""),
                                        Accessor<&FailingTarget::Width, &FailingTarget::SetWidth>("Width", 0),
                                        Field<&FailingTarget::enabled>("Enabled", true)});
        return kind;
    }
    const PropertyKind& TargetKind() const override { return Kind(); }
    int32_t Width() const { return width; }
    void SetWidth(int32_t) { fail(); }

    std::function<void()> fail;
    std::string caption;
    int32_t width = 0;
    bool enabled = true;

protected:
    void PropertyApplied(std::string_view) override {}
};

TEST(SetProperties, ASetterThatFailsEndsTheListWithAPropertyListException) {
    const std::vector<std::pair<const char*, std::function<void()>>> failures = {
        {"bad_alloc", [] { throw std::bad_alloc(); }},
        {"length_error", [] { throw std::length_error("vector"); }},
        {"RuntimeException", [] { throw RuntimeException("no"); }},
    };
    for (const auto& [what, fail] : failures) {
        SCOPED_TRACE(what);
        FailingTarget target;
        target.fail = fail;
        ExpectStopsAt(target, {{"Caption", "set"s}}, {"Width", 12}, {{"Enabled", false}});
    }
}

}  // namespace
}  // namespace qv
