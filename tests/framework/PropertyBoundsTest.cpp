// Geometry beyond what a window can show, a canvas too large to back, and setters
// that fail: each stops the list at its entry with a PropertyListException that names
// it, and nothing larger than the bounds reaches Qt or memory.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QImage>
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

TEST_F(PropertyBoundsTest, GeometryBeyondTheBoundsStopsTheListAtItsEntry) {
    struct Case {
        const char* what;
        const PropertyKind* kind;  // the window itself for Window::Kind()
        std::vector<PropertyEntry> before;
        PropertyEntry bad;
        std::vector<PropertyEntry> after;
    };
    const std::vector<Case> cases = {
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
        // Beyond the range, yet a line of a small pane.
        {"line X1 one beyond", &Line::Kind(), {}, {"X1", kGeometryBound + 1}, {{"Visible", false}}},
        {"line X2 one beyond", &Line::Kind(), {}, {"X2", -kGeometryBound - 1}, {{"Visible", false}}},
        {"line Y1 one beyond", &Line::Kind(), {}, {"Y1", -kGeometryBound - 1}, {{"Visible", false}}},
        {"line Y2 one beyond", &Line::Kind(), {}, {"Y2", kGeometryBound + 1}, {{"Visible", false}}},
        {"line BorderWidth one beyond", &Line::Kind(), {}, {"BorderWidth", -kGeometryBound - 1},
         {{"Visible", false}}},
    };
    Ref<ScriptedWindow> w = Build();
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind->Name()) + ": " + c.what + ", " + c.bad.name);
        Ref<PropertyTarget> target = w;
        if (c.kind != &Window::Kind())
            target = CreateControl(*w, c.kind->Class(), "Control" + std::to_string(++made), "");
        ExpectStopsAt(*target, c.before, c.bad, c.after);
        if (auto canvas = RuntimeCheckCast<Canvas>(target)) {
            EXPECT_LE(int64_t{canvas->Graphics()->Width()} * canvas->Graphics()->Height(), Canvas::MaxPixels);
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
