// Every list of every window's design, the window's own and each control's, is the
// golden data byte for byte. A difference is reported entry by entry (name, place,
// value) and names the window, the control and the entry; a list the design gained
// or lost fails too. `make golden` rewrites the data after a deliberate change.
#include "GoldenLists.h"

#include "resources/AllDesigns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace qv::design {
void PrintTo(const NamedDesign& d, std::ostream* os) { *os << d.window; }
}  // namespace qv::design

namespace qv::golden {
namespace {

bool Among(const std::vector<GoldenList>& lists, const GoldenList& list) {
    return std::any_of(lists.begin(), lists.end(), [&](const GoldenList& l) { return l.SameList(list); });
}

void ExpectSameList(const GoldenList& golden, const GoldenList& actual) {
    const std::string where = actual.Where();
    ASSERT_EQ(actual.kind->Name(), golden.kind->Name()) << where;
    // Both are read with the design's kind, which fixes the type of each name.
    const std::vector<PropertyEntry> want = DecodePropertyList(golden.bytes, *actual.kind);
    const std::vector<PropertyEntry> got = DecodePropertyList(actual.bytes, *actual.kind);
    for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string entry = where + ", entry " + std::to_string(i + 1);
        if (i >= got.size()) {
            ADD_FAILURE() << entry << " " << want[i].name << " is missing";
        } else if (i >= want.size()) {
            ADD_FAILURE() << entry << " " << got[i].name << " is one too many";
        } else {
            EXPECT_EQ(got[i].name, want[i].name) << entry;
            EXPECT_EQ(Show(got[i].value), Show(want[i].value)) << entry << " " << want[i].name;
        }
    }
    EXPECT_EQ(Hex(actual.bytes), Hex(golden.bytes)) << where;
}

class GoldenListsTest : public ::testing::TestWithParam<design::NamedDesign> {};

TEST_P(GoldenListsTest, EveryListOfTheWindowIsItsGoldenBytes) {
    const std::vector<GoldenList> actual = ListsOf(GetParam().window, GetParam().design());
    std::vector<GoldenList> golden;
    for (const GoldenList& list : GoldenData())
        if (list.window == GetParam().window) golden.push_back(list);

    std::vector<std::string> goldenOrder, actualOrder;
    for (const GoldenList& list : golden) {
        goldenOrder.push_back(list.Where());
        if (!Among(actual, list)) ADD_FAILURE() << list.Where() << " is in the golden data but not in the design";
    }
    for (const GoldenList& list : actual) {
        actualOrder.push_back(list.Where());
        const auto match = std::find_if(golden.begin(), golden.end(), [&](const GoldenList& g) { return g.SameList(list); });
        if (match == golden.end())
            ADD_FAILURE() << list.Where() << " is in the design but not in the golden data";
        else
            ExpectSameList(*match, list);
    }
    EXPECT_EQ(actualOrder, goldenOrder) << "the lists in creation order";
}

INSTANTIATE_TEST_SUITE_P(Windows, GoldenListsTest, ::testing::ValuesIn(design::AllWindowDesigns().begin(),
                                                                       design::AllWindowDesigns().end()),
                         [](const auto& info) { return std::string(info.param.window); });

// A window whose design is gone still has its records here, and fails.
TEST(GoldenLists, HoldNoWindowBeyondTheDesigns) {
    std::set<std::string> designed, kept;
    for (const design::NamedDesign& d : design::AllWindowDesigns()) designed.emplace(d.window);
    for (const GoldenList& list : GoldenData()) kept.insert(list.window);
    EXPECT_EQ(kept, designed);
}

}  // namespace
}  // namespace qv::golden
