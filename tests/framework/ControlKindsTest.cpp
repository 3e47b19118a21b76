// Check boxes, radio buttons, sliders, separators and lines: their lists, their
// widgets, and what the user's actions do to their values.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QAbstractButton>
#include <QImage>
#include <QKeyEvent>
#include <QRect>
#include <QSlider>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::string_literals;
using testing::Script;
using testing::ScriptedWindow;

class ControlKindsTest : public testing::ScriptedWindowTest {
protected:
    // A white 400 x 400 window whose controls `make` creates.
    Ref<ScriptedWindow> Build(std::function<void(ScriptedWindow&)> make) {
        Script().list = design::EncodeWindow({{"Width", 400}, {"Height", 400}, {"Resizeable", false},
                                              {"HasBackColor", true}, {"BackColor", design::kWhite}});
        Script().createControls = std::move(make);
        return ImplicitInstance<ScriptedWindow>();
    }

    static QImage Grab(const Window& w) { return w.ContentArea()->grab().toImage(); }
    static bool Drawn(const QImage& image, int x, int y) { return image.pixelColor(x, y) != QColor(Qt::white); }
};

// A value unlike the kind's common one for every entry, except where the kind ties
// entries together: a check box's State must agree with its Value.
std::vector<PropertyEntry> UncommonValues(const PropertyKind& kind) {
    std::vector<PropertyEntry> values;
    for (const PropertyInfo& info : kind.Entries()) {
        PropertyValue v = info.common;
        if (auto* i = std::get_if<int32_t>(&v)) *i += 7;
        if (auto* b = std::get_if<bool>(&v)) *b = !*b;
        if (auto* c = std::get_if<Color>(&v)) *c = Color{12, 34, 56};
        if (auto* s = std::get_if<std::string>(&v)) *s = std::string(kind.Name()) + "." + std::string(info.name);
        if (kind.Find("State") && info.name == "State") v = int32_t{1};
        values.push_back({std::string(info.name), v});
    }
    return values;
}

TEST_F(ControlKindsTest, EveryEntryOfEachNewKindRoundTripsThroughItsList) {
    // The order in which every list of the kind carries its entries.
    const std::string place = "Name Index Left Top Width Height LockLeft LockTop LockRight LockBottom TabPanelIndex ";
    const std::string text =
        "TabIndex TabStop Caption Enabled Visible HelpTag AutoDeactivate TextFont Bold Italic Underline ";
    const std::vector<std::pair<const PropertyKind*, std::string>> kinds = {
        {&CheckBox::Kind(), place + text + "State Value DataSource DataField InitialParent"},
        {&RadioButton::Kind(), place + text + "Value InitialParent"},
        {&Slider::Kind(), place + "TabIndex TabStop Enabled Visible HelpTag AutoDeactivate Minimum Value Maximum "
                                  "LineStep PageStep LiveScroll TickStyle InitialParent"},
        {&Separator::Kind(), place + "TabIndex TabStop InitialParent Visible HelpTag AutoDeactivate Enabled"},
        {&Line::Kind(), "Name Index Top Left Width Height X1 X2 Y1 Y2 TabPanelIndex Visible BorderWidth LineColor "
                        "InitialParent"},
    };
    Build([&](ScriptedWindow& w) {
        for (const auto& [kind, order] : kinds) {
            SCOPED_TRACE(std::string(kind->Name()));
            const std::vector<PropertyEntry> values = UncommonValues(*kind);
            const std::string list = design::EncodeList(*kind, values);
            std::string decoded;
            for (const PropertyEntry& e : DecodePropertyList(list, *kind))
                decoded += (decoded.empty() ? "" : " ") + e.name;
            EXPECT_EQ(decoded, order);

            const std::string name = std::string(kind->Name()) + ".Name";
            Ref<Control> c = CreateControl(w, kind->Class(), name, list, std::nullopt, INT32_MIN + 7);
            ASSERT_TRUE(c && c->Class()->IsA(kind->Class()));
            for (const PropertyEntry& e : values) EXPECT_EQ(c->GetProperty(e.name), e.value) << e.name;
        }
    });
}

TEST_F(ControlKindsTest, ABooleanAndAnInt32ValueStandSideBySideAndAClickTicksBothStateAndValue) {
    const std::string boxList = design::EncodeList(CheckBox::Kind(), {{"Name", "Box"s}, {"Caption", ""s}});
    const std::string sliderList = design::EncodeList(Slider::Kind(), {{"Name", "Slide"s}, {"Value", 42}});
    auto decodedValue = [](const std::string& list, const PropertyKind& kind) {
        for (PropertyEntry& e : DecodePropertyList(list, kind))
            if (e.name == "Value") return e.value;
        return PropertyValue{};
    };
    EXPECT_EQ(decodedValue(boxList, CheckBox::Kind()), PropertyValue(false));
    EXPECT_EQ(decodedValue(sliderList, Slider::Kind()), PropertyValue(42));
    Ref<ScriptedWindow> w = Build([&](ScriptedWindow& w) {
        CreateControl(w, CheckBox::Lookup(), "Box", boxList);
        CreateControl(w, Slider::Lookup(), "Slide", sliderList);
    });
    auto box = RuntimeCheckCast<CheckBox>(RuntimeWindowControlByName(*w, "Box"));
    auto slider = RuntimeCheckCast<Slider>(RuntimeWindowControlByName(*w, "Slide"));
    ASSERT_TRUE(box && slider);
    EXPECT_EQ(slider->Value(), 42);
    EXPECT_EQ(static_cast<QSlider*>(slider->Widget())->value(), 42);

    for (const int32_t state : {1, 0}) {
        static_cast<QAbstractButton*>(box->Widget())->click();
        EXPECT_EQ(box->State(), state);
        EXPECT_EQ(box->Value(), state == 1);
    }
}

TEST_F(ControlKindsTest, RadioSetsExcludeWithinThemselvesOnly) {
    // Two sets of three, each with one member selected by its design.
    Ref<ScriptedWindow> w = Build([](ScriptedWindow& w) {
        for (const auto& [set, left, selected] : {std::tuple{"rb2"s, 10, 1}, std::tuple{"rb3"s, 150, 2}}) {
            for (int32_t i = 0; i < 3; ++i) {
                const std::string list = design::EncodeList(RadioButton::Kind(), {{"Name", set}, {"Index", i},
                    {"Left", left}, {"Top", 10 + 30 * i}, {"Width", 100}, {"Height", 20}, {"Value", i == selected}});
                CreateControl(w, RadioButton::Lookup(), set, list, std::nullopt, i);
            }
        }
    });
    auto member = [&](const char* set, int32_t i) {
        return RuntimeCheckCast<RadioButton>(RuntimeWindowControlByNameIndex(*w, set, i));
    };
    // What each member's Value and widget say, set by set.
    auto shown = [&](const char* set) {
        std::string s;
        for (int32_t i = 0; i < 3; ++i) {
            const bool checked = static_cast<QAbstractButton*>(member(set, i)->Widget())->isChecked();
            EXPECT_EQ(member(set, i)->Value(), checked) << set << " " << i;
            s += checked ? '1' : '0';
        }
        return s;
    };
    EXPECT_EQ(shown("rb2"), "010");
    EXPECT_EQ(shown("rb3"), "001");

    static_cast<QAbstractButton*>(member("rb2", 0)->Widget())->click();
    EXPECT_EQ(shown("rb2"), "100");
    EXPECT_EQ(shown("rb3"), "001");

    member("rb3", 0)->SetValue(true);
    EXPECT_EQ(shown("rb3"), "100");
    member("rb2", 0)->SetValue(false);
    EXPECT_EQ(shown("rb2"), "000");
    EXPECT_EQ(shown("rb3"), "100");
}

TEST_F(ControlKindsTest, RadioButtonClassTableServesTheSetClassesDerivedFromIt) {
    // Control's operations, then RectControl's, then the radio button's own.
    ClassRef radio = RadioButton::Lookup();
    EXPECT_EQ(radio->vtable, (std::vector<std::string>{
        "Close", "_SetWindow", "_CallOpenEvent",
        "DrawInto", "Refresh", "RefreshRect", "SetFocus", "AcceptTextDrop", "AcceptPictureDrop", "AcceptFileDrop",
        "AcceptMacDataDrop", "AcceptRawDataDrop", "NewDragItem", "_AddMenuHandler", "Constructor", "_Move",
        "_MouseEnter", "_MouseExit", "_MouseMove", "_MouseWheel", "Invalidate(eraseBackground)",
        "Invalidate(x, y, width, height, eraseBackground)", "_KeyDown", "__DependencyList", "RectControl", "TrueWindow",
        "Event_CreatePane", "getBoundPart", "_CallAction"}));
    std::vector<std::string> chain;
    for (ClassRef c = radio; c; c = c->super) chain.push_back(c->name + " " + std::to_string(c->vtable.size()));
    EXPECT_EQ(chain, (std::vector<std::string>{"RadioButton 29", "RectControl 26", "Control 3", "Object 0"}));
    ClassTable* set = RuntimeNewClass(radio);
    EXPECT_EQ(set->vtable, radio->vtable);
    set->AddInterface("bindingPartInterface", {"getBoundPart"});
    for (ClassRef c : {radio, ClassRef(set)})
        EXPECT_EQ(NotNil(c->Interface("bindingPartInterface"))->operations, std::vector<std::string>{"getBoundPart"});
}

TEST_F(ControlKindsTest, SliderKeepsAValueGivenBeforeItsRangeAndReportsOnlyTheUsersChanges) {
    // The kind's order puts Value before Maximum.
    const std::string list = design::EncodeList(Slider::Kind(), {{"Name", "S"s}, {"Width", 200}, {"Height", 16},
                                                                 {"Value", 150}, {"Maximum", 200}});
    Ref<ScriptedWindow> w = Build([&](ScriptedWindow& w) { CreateControl(w, Slider::Lookup(), "S", list); });
    auto slider = RuntimeCheckCast<Slider>(RuntimeWindowControlByName(*w, "S"));
    ASSERT_TRUE(slider);
    auto* widget = static_cast<QSlider*>(slider->Widget());
    EXPECT_EQ(slider->Value(), 150);
    EXPECT_EQ(widget->value(), 150);
    EXPECT_EQ(widget->orientation(), Qt::Horizontal);

    std::vector<int32_t> reported;
    slider->InstallEventHandler("ValueChanged", [&](Object& sender) {
        reported.push_back(static_cast<Slider&>(sender).Value());
    });
    SetProperties(*slider, design::EncodeList(Slider::Kind(), {{"Name", "S"s}, {"Width", 200}, {"Value", 30}}));
    slider->SetValue(60);
    EXPECT_TRUE(reported.empty());

    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(widget, &right);
    EXPECT_FALSE(TakePendingException());
    EXPECT_EQ(reported, std::vector<int32_t>{61});
    EXPECT_EQ(slider->Value(), 61);
}

TEST_F(ControlKindsTest, ALineKeepsItsNegativeWidthAndIsDrawnBetweenItsEndPoints) {
    const std::string list = design::EncodeList(Line::Kind(), {{"Name", "Line1"s}, {"Top", 61}, {"Left", 82},
        {"Width", -3}, {"Height", 274}, {"X1", 82}, {"X2", 79}, {"Y1", 61}, {"Y2", 335}});
    Ref<ScriptedWindow> w = Build([&](ScriptedWindow& w) { CreateControl(w, Line::Lookup(), "Line1", list); });
    Ref<Control> line = RuntimeWindowControlByName(*w, "Line1");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Width(), -3);
    EXPECT_TRUE(line->Widget()->isVisible());
    EXPECT_EQ(line->Widget()->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(line->Widget()->testAttribute(Qt::WA_TransparentForMouseEvents));

    const QImage image = Grab(*w);
    // Halfway down the line stands at x = 80.5.
    bool crossed = false;
    for (int x = 78; x <= 83; ++x) crossed = crossed || image.pixelColor(x, 61 + 137).value() < 80;
    EXPECT_TRUE(crossed);
    for (const auto& [x, y] : {std::pair{90, 198}, std::pair{70, 198}, std::pair{80, 40}, std::pair{80, 360}})
        EXPECT_FALSE(Drawn(image, x, y)) << x << "," << y;
}

TEST_F(ControlKindsTest, ASeparatorDrawsALineAlongItsLongerSide) {
    const std::vector<QRect> cases = {{288, 50, 29, 284}, {58, 174, 244, 9}};
    Ref<ScriptedWindow> w = Build([&](ScriptedWindow& w) {
        for (const QRect& r : cases) {
            const std::string name = "Separator" + std::to_string(r.width());
            CreateControl(w, Separator::Lookup(), name, design::EncodeList(Separator::Kind(), {{"Name", name},
                {"Left", r.left()}, {"Top", r.top()}, {"Width", r.width()}, {"Height", r.height()}}));
        }
    });
    const QImage image = Grab(*w);
    for (const QRect& r : cases) {
        SCOPED_TRACE(std::to_string(r.width()) + "x" + std::to_string(r.height()));
        // Drawn near both ends of the longer side's middle line, blank at the edge across it.
        const QPoint c = r.center();
        const bool vertical = r.height() > r.width();
        EXPECT_TRUE(vertical ? Drawn(image, c.x(), r.top() + 2) && Drawn(image, c.x(), r.bottom() - 2)
                             : Drawn(image, r.left() + 2, c.y()) && Drawn(image, r.right() - 2, c.y()));
        EXPECT_FALSE(vertical ? Drawn(image, r.left(), c.y()) : Drawn(image, c.x(), r.top()));
    }
}

}  // namespace
}  // namespace qv
