#include "framework/Exceptions.h"
#include "framework/Object.h"
#include "framework/PropertyKind.h"
#include "framework/PropertyList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using namespace std::string_literals;

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

// Entries of every type, with the values at the edges of each encoding.
std::vector<PropertyEntry> SampleEntries() {
    return {
        {"Width", int32_t{256}},
        {"Index", kInt32Min},
        {"Left", kInt32Max},
        {"Top", int32_t{-3}},
        {"Composite", true},
        {"Visible", false},
        {"BackColor", Color{255, 255, 255}},
        {"TextColor", Color{1, 128, 254}},
        {"Title", "\xC2\xB5 Structure Settings"s},
        {"HelpTag", ""s},
        {"Text", "a\rb\0c d"s},
        {"Height", int32_t{0}},
    };
}

struct Encoded {
    std::string bytes;
    std::vector<size_t> ends;  // where each entry's bytes end
};

Encoded Encode(const std::vector<PropertyEntry>& entries) {
    PropertyListWriter writer;
    Encoded encoded;
    for (const PropertyEntry& e : entries) {
        writer.Entry(e);
        encoded.ends.push_back(writer.Bytes().size());
    }
    encoded.bytes = writer.Bytes();
    return encoded;
}

std::vector<std::string> NamesApplied(std::string_view list) {
    std::vector<std::string> names;
    try {
        ReadPropertyList(list, PropertyType::Int32, [&](const PropertyEntry& e) { names.push_back(e.name); });
    } catch (const PropertyListException&) {
    }
    return names;
}

std::string ErrorOf(std::string_view list) {
    try {
        DecodePropertyList(list, PropertyType::Int32);
    } catch (const PropertyListException& e) {
        return e.what();
    }
    return "(no exception)";
}

TEST(PropertyListWriter, EncodesEachTypeAsTheFormatGivesIt) {
    struct Case {
        const char* what;
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {"Int32", PropertyListWriter().Int32("Width", 256).Bytes(), "Width \x00\x00\x01\x00"s},
        {"Boolean", PropertyListWriter().Boolean("Composite", true).Bytes(), "Composite \x01"s},
        {"False", PropertyListWriter().Boolean("Visible", false).Bytes(), "Visible \x00"s},
        {"String", PropertyListWriter().String("Name", "Canvas1").Bytes(),
         "Name \x00\x00\x00\x07"s "Canvas1"},
        {"Color", PropertyListWriter().Colour("BackColor", Color{255, 255, 255}).Bytes(),
         "BackColor \xFF\xFF\xFF"s},
        {"Color order", PropertyListWriter().Colour("TextColor", Color{1, 2, 3}).Bytes(),
         "TextColor \x01\x02\x03"s},
        // The count is in bytes of UTF-8: the micro sign takes two.
        {"UTF-8 count", PropertyListWriter().String("Title", "\xC2\xB5 Structure Settings").Bytes(),
         "Title \x00\x00\x00\x15"s "\xC2\xB5 Structure Settings"},
        {"empty String", PropertyListWriter().String("HelpTag", "").Bytes(), "HelpTag \x00\x00\x00\x00"s},
        {"negative", PropertyListWriter().Int32("Width", -3).Bytes(), "Width \xFF\xFF\xFF\xFD"s},
        {"smallest Int32", PropertyListWriter().Int32("Index", kInt32Min).Bytes(), "Index \x80\x00\x00\x00"s},
        {"chained entries", PropertyListWriter().Int32("Left", 1).Boolean("Enabled", false).Bytes(),
         "Left \x00\x00\x00\x01"s "Enabled \x00"s},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(PropertyListReader, RoundTripsEveryTypeAndEdgeValue) {
    const std::vector<PropertyEntry> entries = SampleEntries();
    const std::vector<PropertyEntry> decoded = DecodePropertyList(Encode(entries).bytes, PropertyType::Int32);
    ASSERT_EQ(decoded.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(decoded[i].name, entries[i].name);
        EXPECT_EQ(decoded[i].value, entries[i].value) << entries[i].name;
    }
}

TEST(PropertyListReader, EntryOrderDoesNotChangeTheValues) {
    const std::string topFirst =
        PropertyListWriter().Int32("Top", 61).Int32("Left", 82).Int32("Width", -3).Bytes();
    const std::string leftFirst =
        PropertyListWriter().Int32("Left", 82).Int32("Width", -3).Int32("Top", 61).Bytes();
    auto byName = [](const std::string& list) {
        std::map<std::string, PropertyValue> values;
        for (const PropertyEntry& e : DecodePropertyList(list, PropertyType::Int32)) values[e.name] = e.value;
        return values;
    };
    EXPECT_EQ(byName(topFirst), byName(leftFirst));
}

TEST(PropertyListReader, ValueTakesTheTypeOfTheTargetKind) {
    const std::string sliderList = "Value \x00\x00\x00\x2A"s;
    const auto slider = DecodePropertyList(sliderList, PropertyType::Int32);
    ASSERT_EQ(slider.size(), 1u);
    EXPECT_EQ(std::get<int32_t>(slider[0].value), 42);

    const auto checkBox = DecodePropertyList("Value \x01"s, PropertyType::Boolean);
    ASSERT_EQ(checkBox.size(), 1u);
    EXPECT_EQ(std::get<bool>(checkBox[0].value), true);

    // Read with the wrong width, the slider's list leaves three stray bytes.
    EXPECT_THROW(DecodePropertyList(sliderList, PropertyType::Boolean), PropertyListException);
}

TEST(PropertyTypeOf, KnowsTheNamesTheListsCarryAndNoOthers) {
    EXPECT_EQ(PropertyTypeOf("MacProcID", PropertyType::Int32), PropertyType::Int32);
    EXPECT_EQ(PropertyTypeOf("Resizeable", PropertyType::Int32), PropertyType::Boolean);
    EXPECT_EQ(PropertyTypeOf("LineColor", PropertyType::Int32), PropertyType::Color);
    EXPECT_EQ(PropertyTypeOf("InitialParent", PropertyType::Int32), PropertyType::String);
    EXPECT_EQ(PropertyTypeOf("Value", PropertyType::Boolean), PropertyType::Boolean);
    EXPECT_EQ(PropertyTypeOf("Value", PropertyType::Int32), PropertyType::Int32);

    // Text size and unit are set by code, never through a list.
    EXPECT_EQ(PropertyTypeOf("TextSize", PropertyType::Int32), std::nullopt);
    EXPECT_EQ(PropertyTypeOf("TextUnit", PropertyType::Int32), std::nullopt);
    EXPECT_EQ(PropertyTypeOf("width", PropertyType::Int32), std::nullopt);
    EXPECT_EQ(PropertyTypeOf("", PropertyType::Int32), std::nullopt);
    EXPECT_EQ(PropertyTypeOf("Value", PropertyType::Color), std::nullopt);
}

// Every prefix of a valid list either ends on an entry boundary and decodes to the
// entries before it, or throws after handing over exactly the complete entries.
TEST(PropertyListReader, EveryTruncationDecodesOrThrows) {
    const std::vector<PropertyEntry> entries = SampleEntries();
    const Encoded encoded = Encode(entries);
    for (size_t cut = 0; cut <= encoded.bytes.size(); ++cut) {
        size_t complete = 0;
        while (complete < encoded.ends.size() && encoded.ends[complete] <= cut) ++complete;
        const bool onBoundary = cut == 0 || (complete > 0 && encoded.ends[complete - 1] == cut);

        std::vector<std::string> applied;
        bool threw = false;
        try {
            ReadPropertyList(std::string_view(encoded.bytes).substr(0, cut), PropertyType::Int32,
                             [&](const PropertyEntry& e) { applied.push_back(e.name); });
        } catch (const PropertyListException&) {
            threw = true;
        }
        EXPECT_EQ(threw, !onBoundary) << "cut at " << cut;
        ASSERT_EQ(applied.size(), complete) << "cut at " << cut;
        for (size_t i = 0; i < complete; ++i) EXPECT_EQ(applied[i], entries[i].name);
    }
}

// Damaged bytes anywhere must end in a clean result or a PropertyListException.
TEST(PropertyListReader, CorruptedBytesNeverEscapeTheList) {
    const std::string valid = Encode(SampleEntries()).bytes;
    for (size_t at = 0; at < valid.size(); ++at) {
        for (char replacement : {'\x00', '\x20', '\x7F', '\xFF'}) {
            std::string damaged = valid;
            damaged[at] = replacement;
            try {
                DecodePropertyList(damaged, PropertyType::Int32);
            } catch (const PropertyListException&) {
            }
        }
    }
}

TEST(PropertyListReader, RejectsBadEntriesNamingThem) {
    const std::string good = PropertyListWriter().Int32("Width", 1).Bytes();
    struct Case {
        const char* what;
        std::string list;
        std::string mentioned;
    };
    const Case cases[] = {
        {"count of 0xFFFFFFFF", good + "Name \xFF\xFF\xFF\xFF"s "abc", "\"Name\""},
        {"count one past the end", good + "Caption \x00\x00\x00\x03"s "OK", "\"Caption\""},
        {"truncated count", good + "Title \x00\x00"s, "\"Title\""},
        {"truncated Int32", good + "Height \x00\x01"s, "\"Height\""},
        {"missing Boolean", good + "Enabled "s, "\"Enabled\""},
        {"truncated Color", good + "BackColor \xFF\xFF"s, "\"BackColor\""},
        {"unknown name", good + "TextSize \x00\x00\x00\x0C"s, "\"TextSize\""},
        {"name without its space", good + "Visible", "byte 10"},
        {"empty name", good + " \x01"s, "byte 10"},
        {"name of stray bytes", good + "\x01\x02 \x00"s, "byte 10"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(ErrorOf(c.list).find(c.mentioned), std::string::npos)
            << c.what << ": " << ErrorOf(c.list);
        EXPECT_EQ(NamesApplied(c.list), std::vector<std::string>{"Width"}) << c.what;
    }
}

TEST(PropertyListReader, StopsAtTheBadEntry) {
    const std::string list = PropertyListWriter().Int32("Left", 1).Int32("Top", 2).Bytes() +
                             "Bogus \x01"s + PropertyListWriter().Int32("Height", 3).Bytes();
    EXPECT_EQ(NamesApplied(list), (std::vector<std::string>{"Left", "Top"}));
}

TEST(Color, RGBClampsEachComponent) {
    EXPECT_EQ(RGB(-5, 300, 128), (Color{0, 255, 128}));
    EXPECT_EQ(RGB(kInt32Min, kInt32Max, 0), (Color{0, 255, 0}));
    EXPECT_EQ(RGB(255, 0, 1), (Color{255, 0, 1}));
}

// A target whose kind knows a caption and a Boolean Value, as a check box's does,
// and records the names of the entries applied to it.
class RecordingTarget : public PropertyTarget {
public:
    static const PropertyKind& Kind() {
        static const PropertyKind kind("Recording", nullptr,
                                       {Field<&RecordingTarget::caption>("Caption", ""),
                                        Field<&RecordingTarget::value>("Value", false)});
        return kind;
    }
    const PropertyKind& TargetKind() const override { return Kind(); }

    std::string caption;
    bool value = false;
    std::vector<std::string> applied;

protected:
    void PropertyApplied(std::string_view name) override { applied.emplace_back(name); }
};

class PlainObject : public Object {
public:
    ~PlainObject() override = default;
};

TEST(SetProperties, AppliesKnownEntriesInOrderAndSkipsTheRest) {
    // A check box's Value is one byte wide: read as the default Int32 it would fail.
    RecordingTarget box;
    SetProperties(box, PropertyListWriter()
                           .String("Caption", "Slim")
                           .Int32("TabIndex", 4)
                           .Boolean("Value", true)
                           .Bytes());
    EXPECT_EQ(box.applied, (std::vector<std::string>{"Caption", "Value"})) << "TabIndex is stepped over";
    EXPECT_EQ(box.caption, "Slim");
    EXPECT_TRUE(box.value);
    EXPECT_FALSE(box.SetProperty({"TabIndex", int32_t{4}})) << "a name the kind lacks is ignored";
}

TEST(PropertyTarget, SetsAndGetsThroughItsKindAndRefusesAWrongType) {
    RecordingTarget target;
    EXPECT_TRUE(target.SetProperty({"Caption", "OK"s}));
    EXPECT_EQ(target.GetProperty("Caption"), PropertyValue("OK"s));
    EXPECT_THROW(target.SetProperty({"Value", int32_t{1}}), PropertyListException);
    EXPECT_FALSE(target.value);
    EXPECT_EQ(target.applied, std::vector<std::string>{"Caption"}) << "a refused entry is not applied";
    EXPECT_EQ(target.GetProperty("TabIndex"), std::nullopt);
}

TEST(SetProperties, RefusesAnObjectThatTakesNoList) {
    PlainObject plain;
    EXPECT_THROW(SetProperties(plain, PropertyListWriter().Int32("Width", 1).Bytes()), RuntimeException);
}

}  // namespace
}  // namespace qv
