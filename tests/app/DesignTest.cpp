#include "GoldenLists.h"

#include "framework/Canvas.h"
#include "framework/CheckBox.h"
#include "framework/Line.h"
#include "framework/PropertyKind.h"
#include "framework/PropertyList.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/Separator.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/Window.h"
#include "resources/AboutWindowDesign.h"
#include "resources/Design.h"
#include "resources/MainWindowDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace qv::design {
namespace {

using Names = std::vector<std::string>;

Names operator+(Names head, const Names& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The fixed entry order of each kind. Every kind of control but the line opens
// with the same twelve entries.
const Names kWindowOrder = {
    "Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight",
    "Frame", "Composite", "HasBackColor", "BackColor", "Title", "Visible", "FullScreen",
    "MenuBarVisible", "CloseButton", "Resizeable", "LiveResize", "MaximizeButton",
    "MinimizeButton", "MacProcID"};
const Names kControlHead = {
    "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight",
    "LockBottom", "TabPanelIndex", "TabIndex"};
const Names kCanvasOrder = kControlHead + Names{
    "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "UseFocusRing", "AcceptFocus",
    "AcceptTabs", "DoubleBuffer", "EraseBackground", "InitialParent"};
const Names kPushButtonOrder = kControlHead + Names{
    "TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible", "HelpTag", "AutoDeactivate",
    "TextFont", "Bold", "Italic", "Underline", "InitialParent"};
const Names kStaticTextOrder = kControlHead + Names{
    "Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible", "HelpTag",
    "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline", "DataSource", "DataField",
    "InitialParent"};
const Names kCheckBoxOrder = kControlHead + Names{
    "TabStop", "Caption", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "TextFont", "Bold",
    "Italic", "Underline", "State", "Value", "DataSource", "DataField", "InitialParent"};
const Names kRadioButtonOrder = kControlHead + Names{
    "TabStop", "Caption", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "TextFont", "Bold",
    "Italic", "Underline", "Value", "InitialParent"};
const Names kSliderOrder = kControlHead + Names{
    "TabStop", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "Minimum", "Value", "Maximum",
    "LineStep", "PageStep", "LiveScroll", "TickStyle", "InitialParent"};
const Names kSeparatorOrder = kControlHead + Names{
    "TabStop", "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled"};
// A line has no tab order and no locks, and its list gives Top before Left.
const Names kLineOrder = {
    "Name", "Index", "Top", "Left", "Width", "Height", "X1", "X2", "Y1", "Y2", "TabPanelIndex",
    "Visible", "BorderWidth", "LineColor", "InitialParent"};

const std::map<std::string, const Names*, std::less<>> kOrders = {
    {"Window", &kWindowOrder},         {"Canvas", &kCanvasOrder},       {"PushButton", &kPushButtonOrder},
    {"StaticText", &kStaticTextOrder}, {"CheckBox", &kCheckBoxOrder},   {"RadioButton", &kRadioButtonOrder},
    {"Slider", &kSliderOrder},         {"Separator", &kSeparatorOrder}, {"Line", &kLineOrder},
};

Names EntryNames(const PropertyKind& kind) {
    Names names;
    for (const PropertyInfo& entry : kind.Entries()) names.emplace_back(entry.name);
    return names;
}

using golden::Decoded;

const std::string& ControlList(const WindowDesign& design, std::string_view name) {
    for (const ControlDesign& c : design.controls)
        if (c.name == name) return *c.list;
    throw std::out_of_range("no control " + std::string(name));
}

TEST(Design, EachKindEncodesItsEntriesInTheFixedOrder) {
    struct Case {
        const PropertyKind& kind;
        const Names& order;
    };
    const Case cases[] = {
        {Window::Kind(), kWindowOrder},           {Canvas::Kind(), kCanvasOrder},
        {PushButton::Kind(), kPushButtonOrder},   {StaticText::Kind(), kStaticTextOrder},
        {CheckBox::Kind(), kCheckBoxOrder},       {RadioButton::Kind(), kRadioButtonOrder},
        {Slider::Kind(), kSliderOrder},           {Separator::Kind(), kSeparatorOrder},
        {Line::Kind(), kLineOrder},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EntryNames(c.kind), c.order) << c.kind.Name();
        EXPECT_EQ(Decoded(EncodeList(c.kind, {}), c.kind).Names(), c.order) << c.kind.Name();
    }
}

// A kind the framework comes to declare needs its order table here.
TEST(Design, EveryDeclaredKindHasItsOrderTable) {
    for (const PropertyKind* kind : AllPropertyKinds()) {
        const auto order = kOrders.find(kind->Name());
        ASSERT_NE(order, kOrders.end()) << kind->Name() << " has no order table here";
        EXPECT_EQ(EntryNames(*kind), *order->second) << kind->Name();
    }
}

TEST(Design, WindowAndControlListsFollowTheirKindsOrder) {
    for (const WindowDesign* design : {&Window1Design(), &AboutWindowDesign()}) {
        EXPECT_EQ(Decoded(design->list, Window::Kind()).Names(), kWindowOrder);
        for (const ControlDesign& c : design->controls) {
            SCOPED_TRACE(c.name);
            const Decoded list(*c.list, *c.kind);
            EXPECT_EQ(list.Names(), *kOrders.at(std::string(c.kind->Name())));
            EXPECT_EQ(list.Text("Name"), c.name);
            EXPECT_EQ(list.Int("Index"), c.index);
            ASSERT_TRUE(c.tabIndex);
            EXPECT_EQ(list.Int("TabIndex"), *c.tabIndex);
        }
    }
}

// Kind, name, TabIndex and TextSize of each control, in creation order.
using ControlRow = std::tuple<std::string_view, std::string, std::optional<int32_t>, std::optional<float>>;
using BindingRow = std::tuple<std::string, std::string, std::string>;

std::vector<ControlRow> RowsOf(const WindowDesign& design) {
    std::vector<ControlRow> rows;
    for (const ControlDesign& c : design.controls) rows.emplace_back(c.kind->Name(), c.name, c.tabIndex, c.textSize);
    return rows;
}

std::vector<BindingRow> BindingsOf(const WindowDesign& design) {
    std::vector<BindingRow> rows;
    for (const EventBindingDesign& b : design.bindings) rows.emplace_back(b.control, b.event, b.operation);
    return rows;
}

TEST(Design, ControlsAreMadeInTabOrderAndTheirEventsBoundByName) {
    EXPECT_EQ(RowsOf(Window1Design()), (std::vector<ControlRow>{{"Canvas", "Canvas1", 0, std::nullopt},
                                                                {"PushButton", "StartButton", 1, 12.0f},
                                                                {"PushButton", "StopButton", 2, std::nullopt}}));
    EXPECT_EQ(BindingsOf(Window1Design()), (std::vector<BindingRow>{{"StartButton", "Action", "StartButton_Action"},
                                                                    {"StopButton", "Action", "StopButton_Action"}}));
    EXPECT_EQ(RowsOf(AboutWindowDesign()), (std::vector<ControlRow>{{"StaticText", "StaticText1", 0, 12.0f},
                                                                    {"PushButton", "aboutOK", 1, std::nullopt}}));
    EXPECT_EQ(BindingsOf(AboutWindowDesign()), (std::vector<BindingRow>{{"aboutOK", "Action", "aboutOK_Action"}}));
}

TEST(MainWindowDesign, WindowHasOneFixedSize) {
    const std::string& list = Window1Design().list;
    // The list opens with Placement 0 and then the width of 256.
    EXPECT_EQ(list.substr(0, 24), std::string("Placement \0\0\0\0Width \0\0\1\0", 24));

    const Decoded window(list, Window::Kind());
    for (const char* size : {"Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight"})
        EXPECT_EQ(window.Int(size), 256) << size;
    EXPECT_TRUE(window.Bool("Composite"));
    EXPECT_FALSE(window.Bool("Resizeable"));
    EXPECT_FALSE(window.Bool("LiveResize"));
}

TEST(MainWindowDesign, ControlsStandWhereTheDesignPutsThem) {
    const Decoded canvas(ControlList(Window1Design(), "Canvas1"), Canvas::Kind());
    EXPECT_EQ(canvas.Text("Name"), "Canvas1");
    EXPECT_EQ(canvas.Int("Index"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(canvas.Int("Left"), 57);
    EXPECT_EQ(canvas.Int("Top"), 16);
    EXPECT_EQ(canvas.Int("Width"), 144);
    EXPECT_EQ(canvas.Int("Height"), 144);

    const Decoded start(ControlList(Window1Design(), "StartButton"), PushButton::Kind());
    const Decoded stop(ControlList(Window1Design(), "StopButton"), PushButton::Kind());
    EXPECT_EQ(start.Text("Caption"), "create");
    EXPECT_EQ(stop.Text("Caption"), "cease");
    EXPECT_TRUE(start.Bool("Enabled"));
    EXPECT_FALSE(stop.Bool("Enabled"));
    EXPECT_LT(stop.Int("Left"), start.Int("Left"));
}

TEST(AboutWindowDesign, WindowAndControls) {
    const Decoded window(AboutWindowDesign().list, Window::Kind());
    EXPECT_EQ(window.Int("Width"), 623);
    EXPECT_EQ(window.Int("Height"), 403);
    EXPECT_EQ(window.Text("Title"), "About Quillevard");
    EXPECT_FALSE(window.Bool("Composite"));
    EXPECT_FALSE(window.Bool("Resizeable"));
    EXPECT_TRUE(window.Bool("LiveResize"));

    const Decoded label(ControlList(AboutWindowDesign(), "StaticText1"), StaticText::Kind());
    EXPECT_EQ(label.Text("Text"), AboutText());
    EXPECT_EQ(label.Text("TextFont"), "Charcoal");
    EXPECT_TRUE(label.Bool("Multiline"));

    const Decoded ok(ControlList(AboutWindowDesign(), "aboutOK"), PushButton::Kind());
    EXPECT_EQ(ok.Text("Name"), "aboutOK");
    EXPECT_EQ(ok.Text("Caption"), "OK");
    EXPECT_EQ(ok.Int("Left"), 493);
    EXPECT_EQ(ok.Int("Top"), 364);
}

TEST(AboutWindowDesign, TextHasThirteenLinesJoinedByCarriageReturns) {
    const std::string& text = AboutText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 12);
    EXPECT_EQ(text.find('\n'), std::string::npos);

    Names lines;
    size_t start = 0;
    for (size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 1)
        lines.push_back(text.substr(start, cr - start));
    lines.push_back(text.substr(start));
    ASSERT_EQ(lines.size(), 13u);

    EXPECT_EQ(lines[0], "http://www.quillevard.example/");
    EXPECT_EQ(lines[2], "The Quillevard Concept");
    EXPECT_EQ(lines[12], "Infinite monkeys.");
    for (size_t i : {1u, 4u, 7u, 10u, 11u}) EXPECT_EQ(lines[i], "") << "line " << i + 1;

    // Lines 4, 7 and 10 open with exactly five spaces; no other line opens with one.
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool indented = i == 3 || i == 6 || i == 9;
        const size_t spaces = std::min(lines[i].find_first_not_of(' '), lines[i].size());
        EXPECT_EQ(spaces, indented ? 5u : 0u) << "line " << i + 1;
    }

    // The one character outside ASCII is U+2019 in "hasn't".
    EXPECT_NE(lines[3].find("hasn\xE2\x80\x99t existed"), std::string::npos);
    EXPECT_EQ(std::count_if(text.begin(), text.end(), [](char c) { return uint8_t(c) >= 0x80; }), 3);

    const size_t firstForm = lines[6].find("Quillevaard");
    ASSERT_NE(firstForm, std::string::npos);
    EXPECT_NE(lines[6].find("Quillevard", firstForm + 1), std::string::npos);
    EXPECT_TRUE(lines[9].ends_with("This is a really big number."));
}

}  // namespace
}  // namespace qv::design
