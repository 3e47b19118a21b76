#include "framework/PropertyList.h"
#include "resources/AboutWindowDesign.h"
#include "resources/Design.h"
#include "resources/MainWindowDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::design {
namespace {

using Names = std::vector<std::string>;

Names operator+(Names head, const Names& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The fixed entry order of each kind, as the design tables give it. Every kind of
// control but the line opens with the same twelve entries.
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
const Names kLineOrder = {
    "Name", "Index", "Top", "Left", "Width", "Height", "X1", "X2", "Y1", "Y2", "TabPanelIndex",
    "Visible", "BorderWidth", "LineColor", "InitialParent"};

// A decoded list, looked up by name.
class Decoded {
public:
    explicit Decoded(const std::string& list, PropertyType valueType = PropertyType::Int32)
        : entries_(DecodePropertyList(list, valueType)) {}

    Names EntryNames() const {
        Names names;
        for (const PropertyEntry& e : entries_) names.push_back(e.name);
        return names;
    }
    int32_t Int(const std::string& name) const { return std::get<int32_t>(Get(name)); }
    bool Bool(const std::string& name) const { return std::get<bool>(Get(name)); }
    std::string Text(const std::string& name) const { return std::get<std::string>(Get(name)); }

private:
    const PropertyValue& Get(const std::string& name) const {
        auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const PropertyEntry& e) { return e.name == name; });
        if (it == entries_.end()) throw std::out_of_range("no entry " + name);
        return it->value;
    }

    std::vector<PropertyEntry> entries_;
};

TEST(Design, EachKindEncodesItsEntriesInTheFixedOrder) {
    struct Case {
        const char* kind;
        std::string list;
        PropertyType valueType;
        const Names& order;
    };
    const Case cases[] = {
        {"window", WindowDesign{}.Encode(), PropertyType::Int32, kWindowOrder},
        {"Canvas", CanvasDesign{}.Encode(), PropertyType::Int32, kCanvasOrder},
        {"PushButton", PushButtonDesign{}.Encode(), PropertyType::Int32, kPushButtonOrder},
        {"StaticText", StaticTextDesign{}.Encode(), PropertyType::Int32, kStaticTextOrder},
        {"CheckBox", CheckBoxDesign{}.Encode(), PropertyType::Boolean, kCheckBoxOrder},
        {"RadioButton", RadioButtonDesign{}.Encode(), PropertyType::Boolean, kRadioButtonOrder},
        {"Slider", SliderDesign{}.Encode(), PropertyType::Int32, kSliderOrder},
        {"Separator", SeparatorDesign{}.Encode(), PropertyType::Int32, kSeparatorOrder},
        {"Line", LineDesign{}.Encode(), PropertyType::Int32, kLineOrder},
    };
    for (const Case& c : cases) EXPECT_EQ(Decoded(c.list, c.valueType).EntryNames(), c.order) << c.kind;
}

TEST(Design, WindowAndControlListsFollowTheirKindsOrder) {
    EXPECT_EQ(Decoded(Window1List()).EntryNames(), kWindowOrder);
    EXPECT_EQ(Decoded(AboutWindowList()).EntryNames(), kWindowOrder);
    EXPECT_EQ(Decoded(Canvas1List()).EntryNames(), kCanvasOrder);
    EXPECT_EQ(Decoded(StartButtonList()).EntryNames(), kPushButtonOrder);
    EXPECT_EQ(Decoded(StopButtonList()).EntryNames(), kPushButtonOrder);
    EXPECT_EQ(Decoded(AboutStaticText1List()).EntryNames(), kStaticTextOrder);
    EXPECT_EQ(Decoded(AboutOKList()).EntryNames(), kPushButtonOrder);
}

TEST(MainWindowDesign, WindowHasOneFixedSize) {
    const std::string& list = Window1List();
    // The list opens with Placement 0 and then the width of 256.
    EXPECT_EQ(list.substr(0, 24), std::string("Placement \0\0\0\0Width \0\0\1\0", 24));

    const Decoded window(list);
    for (const char* size : {"Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight"})
        EXPECT_EQ(window.Int(size), 256) << size;
    EXPECT_TRUE(window.Bool("Composite"));
    EXPECT_FALSE(window.Bool("Resizeable"));
    EXPECT_FALSE(window.Bool("LiveResize"));
}

TEST(MainWindowDesign, ControlsStandWhereTheDesignPutsThem) {
    const Decoded canvas(Canvas1List());
    EXPECT_EQ(canvas.Text("Name"), "Canvas1");
    EXPECT_EQ(canvas.Int("Index"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(canvas.Int("Left"), 57);
    EXPECT_EQ(canvas.Int("Top"), 16);
    EXPECT_EQ(canvas.Int("Width"), 144);
    EXPECT_EQ(canvas.Int("Height"), 144);

    const Decoded start(StartButtonList());
    const Decoded stop(StopButtonList());
    EXPECT_EQ(start.Text("Caption"), "create");
    EXPECT_EQ(stop.Text("Caption"), "cease");
    EXPECT_TRUE(start.Bool("Enabled"));
    EXPECT_FALSE(stop.Bool("Enabled"));
    EXPECT_LT(stop.Int("Left"), start.Int("Left"));
}

TEST(AboutWindowDesign, WindowAndControls) {
    const Decoded window(AboutWindowList());
    EXPECT_EQ(window.Int("Width"), 623);
    EXPECT_EQ(window.Int("Height"), 403);
    EXPECT_EQ(window.Text("Title"), "About Quillevard");
    EXPECT_FALSE(window.Bool("Composite"));
    EXPECT_FALSE(window.Bool("Resizeable"));
    EXPECT_TRUE(window.Bool("LiveResize"));

    const Decoded label(AboutStaticText1List());
    EXPECT_EQ(label.Text("Text"), AboutText());
    EXPECT_EQ(label.Text("TextFont"), "Charcoal");
    EXPECT_TRUE(label.Bool("Multiline"));

    const Decoded ok(AboutOKList());
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
