// The five settings windows' designs, read back from their encoded lists: what a
// window opens with is what these bytes say.
#include "GoldenLists.h"

#include "framework/CheckBox.h"
#include "framework/Line.h"
#include "framework/PropertyList.h"
#include "framework/PushButton.h"
#include "framework/RadioButton.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"
#include "framework/Window.h"
#include "resources/SettingsDesign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::design {
namespace {

// "C2 B5" → the two bytes, so that expected texts do not lean on the literals under test.
std::string Bytes(std::string_view hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3) bytes += char(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

using Entries = golden::Decoded;

bool Is(const ControlDesign& control, const PropertyKind& kind) { return control.kind == &kind; }

struct WindowCase {
    const char* id;
    const WindowDesign& (*design)();
    int32_t frame;
    bool composite;
    std::string title;
    std::map<std::string, int> kinds;
    std::set<int32_t> unusedTabIndexes;
    std::set<std::string> ticked;                 // captions
    std::vector<int32_t> sliders;                 // Slider1, Slider2, ...
    int32_t sliderMaximum;
    std::vector<std::string> members;             // "set index caption", " *" when selected; creation order
    std::map<std::string, std::string> texts;     // texts outside ASCII, by control name
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.id; }

const WindowCase kWindows[] = {
    {"mWindow", mWindowDesign, 3, false, Bytes("C2 B5") + " Structure Settings",
     {{"PushButton", 2}, {"CheckBox", 37}, {"Separator", 3}, {"StaticText", 1}},
     {2, 3, 5, 6, 7, 8, 10, 11, 13, 19, 23, 26, 27, 28, 29, 30, 31},
     {"Partials", "Slim", "Time", "Eliminate", "X - Q2", "Y + Q4", "Y / Q3"}, {}, 0, {},
     {{"StaticText1", "Set the dominant " + Bytes("C2 B5") + " structures:"}}},
    {"eeWindow", eeWindowDesign, 3, false, "Evolution Engine Settings",
     {{"PushButton", 2}, {"StaticText", 17}, {"Slider", 5}, {"RadioButton", 7}, {"Separator", 1}}, {}, {},
     {14, 78, 29, 0, 58}, 100,
     {"rb1 0 Carbon", "rb1 1 Silicon", "rb1 2 Oxygen", "rb1 3 Methane", "rb1 4 Hydrogen", "rb1 5 Iron",
      "rb1 6 Silver"},
     {}},
    {"qaWindow", qaWindowDesign, 3, false, "Quantum Archutecture Settings",
     {{"PushButton", 2}, {"RadioButton", 10}, {"StaticText", 6}, {"Separator", 3}, {"Slider", 1}, {"CheckBox", 6}},
     {}, {"Inhibit Decay", "Allow Half Spins"}, {15}, 100,
     {"rb2 0 Anti-Electron", "rb2 1 Electron *", "rb2 2 Anti-Proton", "rb2 3 Neutron", "rb2 4 Proton",
      "rb3 0 Anti-Electron", "rb3 1 Electron", "rb3 3 Anti-Proton", "rb3 2 Neutron *", "rb3 4 Proton"},
     {}},
    {"srWindow", srWindowDesign, 1, true, "String Randomize Settings",
     {{"PushButton", 2}, {"StaticText", 22}, {"Slider", 12}, {"CheckBox", 1}, {"Separator", 7}, {"Line", 1}},
     {35, 36}, {}, std::vector<int32_t>(12, 0), 1, {},
     {{"StaticText2", Bytes("E2 88 91")}, {"StaticText3", Bytes("C2 B5")}, {"StaticText4", Bytes("E2 88 86")},
      {"StaticText5", Bytes("CE A9")}, {"StaticText6", Bytes("E2 88 82")}, {"StaticText7", Bytes("C3 9F")}}},
    {"raWindow", raWindowDesign, 1, false, "Recursion Aggregator Settings",
     {{"PushButton", 2}, {"StaticText", 1}, {"CheckBox", 10}}, {}, {"(k4)", "(y)"}, {}, 0, {},
     {{"CheckBox9", "(" + Bytes("E2 88 86") + ")"}}},
};

class SettingsDesignTest : public ::testing::TestWithParam<WindowCase> {
protected:
    const WindowCase& Case() const { return GetParam(); }
    const WindowDesign& Design() const { return Case().design(); }
};

TEST_P(SettingsDesignTest, WindowListHoldsTheCommonEntriesAndItsOwnThree) {
    const std::vector<PropertyEntry> expected = {
        {"Placement", 0}, {"Width", 600}, {"Height", 400}, {"MinWidth", 64}, {"MinHeight", 64},
        {"MaxWidth", 32000}, {"MaxHeight", 32000}, {"Frame", Case().frame}, {"Composite", Case().composite},
        {"HasBackColor", false}, {"BackColor", Color{255, 255, 255}}, {"Title", Case().title}, {"Visible", true},
        {"FullScreen", false}, {"MenuBarVisible", true}, {"CloseButton", true}, {"Resizeable", true},
        {"LiveResize", true}, {"MaximizeButton", false}, {"MinimizeButton", true}, {"MacProcID", 0}};
    const std::vector<PropertyEntry> decoded = DecodePropertyList(Design().list, Window::Kind());
    ASSERT_EQ(decoded.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(decoded[i].name, expected[i].name) << "entry " << i + 1;
        EXPECT_EQ(decoded[i].value, expected[i].value) << expected[i].name;
    }
}

TEST_P(SettingsDesignTest, ControlsByKindInTabIndexOrderGapsKept) {
    std::map<std::string, int> kinds;
    std::vector<int32_t> order;
    bool untabbedSeen = false;
    for (const ControlDesign& c : Design().controls) {
        ++kinds[std::string(c.kind->Name())];
        const Entries list(c);
        EXPECT_EQ(list.Text("Name"), c.name);
        if (!list.Has("TabIndex")) {
            EXPECT_TRUE(Is(c, Line::Kind()) && !c.tabIndex) << c.name;
            untabbedSeen = true;
            continue;
        }
        EXPECT_FALSE(untabbedSeen) << c.name << " follows a control without a TabIndex";
        EXPECT_EQ(c.tabIndex, list.Int("TabIndex")) << c.name;
        order.push_back(list.Int("TabIndex"));
    }
    EXPECT_EQ(kinds, Case().kinds);

    std::vector<int32_t> expected;
    for (int32_t i = 0; expected.size() < order.size(); ++i)
        if (!Case().unusedTabIndexes.count(i)) expected.push_back(i);
    EXPECT_EQ(order, expected);
}

TEST_P(SettingsDesignTest, OpensWithTheSharedButtonsAndBindsThem) {
    const std::vector<ControlDesign>& controls = Design().controls;
    ASSERT_GE(controls.size(), 2u);
    EXPECT_EQ(controls[0].list.get(), SharedOK().list.get());
    EXPECT_EQ(controls[1].list.get(), SharedCancel().list.get());

    std::vector<std::string> expected = {"mOK Action mOK_Action", "mCancel Action mCancel_Action"};
    // Only the String Randomize window handles its sliders.
    for (int n = 1; n <= (std::string_view(Case().id) == "srWindow" ? 12 : 0); ++n)
        expected.push_back("Slider" + std::to_string(n) + " ValueChanged Slider" + std::to_string(n) + "_ValueChanged");
    std::vector<std::string> bindings;
    for (const EventBindingDesign& b : Design().bindings) bindings.push_back(b.control + " " + b.event + " " + b.operation);
    EXPECT_EQ(bindings, expected);
}

TEST_P(SettingsDesignTest, BoxesSlidersAndRadioMembersHoldTheirDesignValues) {
    std::set<std::string> ticked;
    std::vector<int32_t> sliders;
    std::vector<std::string> members;
    for (const ControlDesign& c : Design().controls) {
        const Entries list(c);
        if (Is(c, CheckBox::Kind())) {
            EXPECT_EQ(list.Int("State"), list.Bool("Value") ? 1 : 0) << c.name;
            if (list.Bool("Value")) ticked.insert(list.Text("Caption"));
        } else if (Is(c, Slider::Kind())) {
            EXPECT_EQ(c.name, "Slider" + std::to_string(sliders.size() + 1));
            EXPECT_EQ(list.Int("Minimum"), 0) << c.name;
            EXPECT_EQ(list.Int("Maximum"), Case().sliderMaximum) << c.name;
            sliders.push_back(list.Int("Value"));
        } else if (Is(c, RadioButton::Kind())) {
            EXPECT_EQ(c.index, list.Int("Index")) << c.name;
            members.push_back(c.name + " " + std::to_string(list.Int("Index")) + " " + list.Text("Caption") +
                              (list.Bool("Value") ? " *" : ""));
        }
    }
    EXPECT_EQ(ticked, Case().ticked);
    EXPECT_EQ(sliders, Case().sliders);
    EXPECT_EQ(members, Case().members);
}

TEST_P(SettingsDesignTest, TextsOutsideAsciiKeepTheirBytes) {
    std::map<std::string, std::string> texts;
    for (const ControlDesign& c : Design().controls) {
        if (c.kind->TextProperty().empty()) continue;
        const Entries list(c);
        const std::string& text = list.Text(c.kind->TextProperty());
        if (std::any_of(text.begin(), text.end(), [](char ch) { return uint8_t(ch) >= 0x80; })) texts[c.name] = text;
    }
    EXPECT_EQ(texts, Case().texts);
}

INSTANTIATE_TEST_SUITE_P(FiveWindows, SettingsDesignTest, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.id); });

TEST(SettingsDesign, SharedButtonsCloseTheWindowAndNeitherIsTheCancelButton) {
    struct Button {
        const ControlDesign& control;
        const char* name;
        int32_t left, tabIndex;
        const char* caption;
        bool isDefault;
    };
    for (const Button& b : {Button{SharedOK(), "mOK", 491, 0, "OK", true},
                            Button{SharedCancel(), "mCancel", 396, 1, "Cancel", false}}) {
        const Entries list(b.control);
        EXPECT_EQ(list.Text("Name"), b.name);
        EXPECT_EQ(list.Int("Index"), kNoIndex) << b.name;
        EXPECT_EQ((std::vector<int32_t>{list.Int("Left"), list.Int("Top"), list.Int("Width"), list.Int("Height")}),
                  (std::vector<int32_t>{b.left, 361, 80, 20})) << b.name;
        EXPECT_EQ(list.Int("TabIndex"), b.tabIndex) << b.name;
        EXPECT_EQ(list.Text("Caption"), b.caption);
        EXPECT_EQ(list.Bool("Default"), b.isDefault) << b.name;
        EXPECT_FALSE(list.Bool("Cancel")) << b.name;
    }
}

const ControlDesign& SrControl(std::string_view name) {
    for (const ControlDesign& c : srWindowDesign().controls)
        if (c.name == name) return c;
    throw std::out_of_range("srWindow has no " + std::string(name));
}

TEST(SettingsDesign, LineRunsBetweenItsEndPointsWithTopBeforeLeft) {
    const ControlDesign& line = SrControl("Line1");
    EXPECT_EQ(&line, &srWindowDesign().controls.back());
    const Entries list(line);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"Name", "Index", "Top", "Left", "Width", "Height", "X1", "X2",
                                                      "Y1", "Y2", "TabPanelIndex", "Visible", "BorderWidth",
                                                      "LineColor", "InitialParent"}));
    std::vector<int32_t> geometry;
    for (const char* entry : {"Left", "Top", "Height", "X1", "Y1", "X2", "Y2", "BorderWidth"})
        geometry.push_back(list.Int(entry));
    EXPECT_EQ(geometry, (std::vector<int32_t>{82, 61, 274, 82, 61, 79, 335, 1}));
    EXPECT_EQ(std::get<Color>(list.Get("LineColor")), (Color{0, 0, 0}));

    const std::string& bytes = *line.list;
    const size_t width = bytes.find("Width ");
    ASSERT_NE(width, std::string::npos);
    EXPECT_EQ(bytes.substr(width + 6, 4), Bytes("FF FF FF FD"));
}

TEST(SettingsDesign, EachSliderReportsIntoItsOwnZeroLabel) {
    std::set<std::string> labels;
    std::vector<int32_t> lefts;
    int n = 0;
    for (const SliderReadout& r : SliderReadouts()) {
        EXPECT_EQ(std::string(r.slider), "Slider" + std::to_string(++n));
        EXPECT_TRUE(Is(SrControl(r.slider), Slider::Kind())) << r.slider;
        const ControlDesign& label = SrControl(r.label);
        ASSERT_TRUE(Is(label, StaticText::Kind())) << r.label;
        const Entries list(label);
        EXPECT_EQ(list.Text("Text"), "0") << r.label;
        lefts.push_back(list.Int("Left"));
        labels.insert(r.label);
    }
    EXPECT_EQ(labels.size(), 12u);
    // The pairing follows no rule: the first row left to right, the second right to
    // left, the third left to right, then the lone label at the bottom.
    EXPECT_EQ(lefts, (std::vector<int32_t>{56, 187, 318, 449, 390, 254, 119, 58, 201, 320, 451, 256}));
}

}  // namespace
}  // namespace qv::design
