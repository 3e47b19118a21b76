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

// A decoded list, looked up by name.
class Decoded {
public:
    Decoded(const std::string& list, const PropertyKind& kind) : entries_(DecodePropertyList(list, kind)) {}

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
        EXPECT_EQ(Decoded(EncodeList(c.kind, {}), c.kind).EntryNames(), c.order) << c.kind.Name();
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
        EXPECT_EQ(Decoded(design->list, Window::Kind()).EntryNames(), kWindowOrder);
        for (const ControlDesign& c : design->controls) {
            SCOPED_TRACE(c.name);
            const Decoded list(*c.list, *c.kind);
            EXPECT_EQ(list.EntryNames(), *kOrders.at(std::string(c.kind->Name())));
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

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char b : bytes) {
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 0xF]);
    }
    return hex;
}

// The lists as the windows were first designed, byte for byte.
TEST(Design, ListsAreTheGoldenBytes) {
    const std::map<std::string, std::string> lists = {
        {"Window1", Window1Design().list},
        {"Canvas1", ControlList(Window1Design(), "Canvas1")},
        {"StartButton", ControlList(Window1Design(), "StartButton")},
        {"StopButton", ControlList(Window1Design(), "StopButton")},
        {"AboutWindow", AboutWindowDesign().list},
        {"StaticText1", ControlList(AboutWindowDesign(), "StaticText1")},
        {"aboutOK", ControlList(AboutWindowDesign(), "aboutOK")},
    };
    const std::pair<const char*, const char*> golden[] = {
        {"Window1",
         "506c6163656d656e7420000000005769647468200000010048656967687420000001004d696e57696474682000000100"
         "4d696e48656967687420000001004d6178576964746820000001004d617848656967687420000001004672616d652000"
         "000000436f6d706f7369746520014861734261636b436f6c6f7220004261636b436f6c6f7220ffffff5469746c652000"
         "00000056697369626c65200146756c6c53637265656e20004d656e7542617256697369626c652001436c6f7365427574"
         "746f6e2001526573697a6561626c6520004c697665526573697a6520004d6178696d697a65427574746f6e20004d696e"
         "696d697a65427574746f6e20014d616350726f6349442000000000"},
        {"Canvas1",
         "4e616d65200000000743616e76617331496e64657820800000004c6566742000000039546f7020000000105769647468"
         "200000009048656967687420000000904c6f636b4c65667420004c6f636b546f7020004c6f636b526967687420004c6f"
         "636b426f74746f6d200054616250616e656c496e6465782000000000546162496e646578200000000054616253746f70"
         "200156697369626c65200148656c7054616720000000004175746f446561637469766174652001456e61626c65642001"
         "557365466f63757352696e672001416363657074466f6375732000416363657074546162732000446f75626c65427566"
         "666572200045726173654261636b67726f756e642001496e697469616c506172656e742000000000"},
        {"StartButton",
         "4e616d65200000000b5374617274427574746f6e496e64657820800000004c656674200000008a546f7020000000b757"
         "69647468200000004a48656967687420000000184c6f636b4c65667420004c6f636b546f7020004c6f636b5269676874"
         "20004c6f636b426f74746f6d200054616250616e656c496e6465782000000000546162496e6465782000000001546162"
         "53746f70200143617074696f6e200000000663726561746544656661756c74200043616e63656c2000456e61626c6564"
         "200156697369626c65200148656c7054616720000000004175746f44656163746976617465200154657874466f6e7420"
         "0000000653797374656d426f6c6420004974616c69632000556e6465726c696e652000496e697469616c506172656e74"
         "2000000000"},
        {"StopButton",
         "4e616d65200000000a53746f70427574746f6e496e64657820800000004c6566742000000032546f7020000000b75769"
         "647468200000004a48656967687420000000184c6f636b4c65667420004c6f636b546f7020004c6f636b526967687420"
         "004c6f636b426f74746f6d200054616250616e656c496e6465782000000000546162496e646578200000000254616253"
         "746f70200143617074696f6e2000000005636561736544656661756c74200043616e63656c2000456e61626c65642000"
         "56697369626c65200148656c7054616720000000004175746f44656163746976617465200154657874466f6e74200000"
         "000653797374656d426f6c6420004974616c69632000556e6465726c696e652000496e697469616c506172656e742000"
         "000000"},
        {"AboutWindow",
         "506c6163656d656e7420000000005769647468200000026f48656967687420000001934d696e57696474682000000040"
         "4d696e48656967687420000000404d617857696474682000007d004d61784865696768742000007d004672616d652000"
         "000000436f6d706f7369746520004861734261636b436f6c6f7220004261636b436f6c6f7220ffffff5469746c652000"
         "00001041626f7574205175696c6c657661726456697369626c65200146756c6c53637265656e20004d656e7542617256"
         "697369626c652001436c6f7365427574746f6e2001526573697a6561626c6520004c697665526573697a6520014d6178"
         "696d697a65427574746f6e20004d696e696d697a65427574746f6e20014d616350726f6349442000000000"},
        {"StaticText1",
         "4e616d65200000000b5374617469635465787431496e64657820800000004c6566742000000014546f70200000000e57"
         "69647468200000024448656967687420000001534c6f636b4c65667420004c6f636b546f7020004c6f636b5269676874"
         "20004c6f636b426f74746f6d200054616250616e656c496e6465782000000000546162496e6465782000000000546578"
         "74200000035f687474703a2f2f7777772e7175696c6c65766172642e6578616d706c652f0d0d546865205175696c6c65"
         "7661726420436f6e636570740d20202020205468652074776f20696e6368207371756172652063616e20686f6c642061"
         "2070696374757265206f662065766572797468696e67207468617420686173206576657220657869737465642c206f72"
         "20636f756c642065786973742c206f72206576656e2065766572797468696e672074686174206861736ee28099742065"
         "7869737465642e204120736572696573206f662074776f20696e6368207371756172657320636f756c64206265207468"
         "652074657874206f6620616e7920626f6f6b2c20696e20616e79206c616e67756167652e205468657920636f756c6420"
         "62652061206d61702c2061206c697374696e67206f6620616c6c2074686520706c616e65747320696e2074686520756e"
         "697665727365202877697468207069637475726573206f66207468656d20616e64206576657279206c69666520666f72"
         "6d206f6e207468656d292c206f7220612067616c6c657279206f72206576657279207069656365206f66206172742065"
         "7665722063726561746564206f7220657665722077696c6c20626520637265617465642e0d0d45766572797468696e67"
         "2e20457665727977686572652e0d2020202020546865205175696c6c6576616172642069732061207069656365206f66"
         "20736f6674776172652074686174206163636f6d706c697368657320746869732e204974206372656174657320746865"
         "73652074776f20696e636820737175617265732072616e646f6d6c792c20636f6e74696e756f75736c792c206f6e6520"
         "616674657220616e6f746865722e204576656e7475616c6c792c20746865205175696c6c65766172642077696c6c2063"
         "7265617465206120677261797363616c652070696374757265206f662065766572797468696e672e0d0d446973636c61"
         "696d65720d2020202020546865726520617265206120746f74616c206f66203235365e323037333620706f737369626c"
         "6520696d61676573207468617420746865205175696c6c65766172642077696c6c206576656e7475616c6c7920637265"
         "6174652e20546869732069732061207265616c6c7920626967206e756d6265722e0d0d0d496e66696e697465206d6f6e"
         "6b6579732e54657874416c69676e200000000054657874436f6c6f72200000004d756c74696c696e652001456e61626c"
         "6564200156697369626c65200148656c7054616720000000004175746f44656163746976617465200154657874466f6e"
         "74200000000843686172636f616c426f6c6420004974616c69632000556e6465726c696e65200044617461536f757263"
         "652000000000446174614669656c642000000000496e697469616c506172656e742000000000"},
        {"aboutOK",
         "4e616d65200000000761626f75744f4b496e64657820800000004c65667420000001ed546f70200000016c5769647468"
         "200000005048656967687420000000144c6f636b4c65667420004c6f636b546f7020004c6f636b526967687420004c6f"
         "636b426f74746f6d200054616250616e656c496e6465782000000000546162496e646578200000000154616253746f70"
         "200143617074696f6e20000000024f4b44656661756c74200043616e63656c2000456e61626c6564200156697369626c"
         "65200148656c7054616720000000004175746f44656163746976617465200154657874466f6e74200000000653797374"
         "656d426f6c6420004974616c69632000556e6465726c696e652000496e697469616c506172656e742000000000"},
    };
    ASSERT_EQ(std::size(golden), lists.size());
    for (const auto& [name, hex] : golden) EXPECT_EQ(Hex(lists.at(name)), hex) << name;
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
