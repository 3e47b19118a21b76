#include "GoldenLists.h"

#include "framework/Window.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace qv::golden {

namespace {

const PropertyKind& KindNamed(std::string_view name) {
    for (const PropertyKind* kind : AllPropertyKinds())
        if (kind->Name() == name) return *kind;
    throw std::runtime_error("no kind is named " + std::string(name));
}

std::string Unhex(std::string_view hex) {
    if (hex.size() % 2) throw std::runtime_error("an odd number of hex digits");
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        size_t used = 0;
        const std::string pair(hex.substr(i, 2));
        const int byte = std::stoi(pair, &used, 16);
        if (used != 2) throw std::runtime_error("\"" + pair + "\" is no hex byte");
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

}  // namespace

std::string GoldenList::Where() const {
    if (control.empty()) return window + " (its own list)";
    return window + " " + control + (index == INT32_MIN ? "" : " (index " + std::to_string(index) + ")");
}

std::vector<GoldenList> ListsOf(std::string_view window, const WindowDesign& design) {
    std::vector<GoldenList> lists = {{std::string(window), {}, INT32_MIN, &Window::Kind(), design.list}};
    for (const ControlDesign& c : design.controls) lists.push_back({std::string(window), c.name, c.index, c.kind, *c.list});
    return lists;
}

std::vector<GoldenList> ReadGoldenLists(std::istream& in) {
    std::vector<GoldenList> lists;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        try {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            if (line[0] != ' ') {
                std::string window, control, index, kind, more;
                if (!(fields >> window >> control >> index >> kind) || fields >> more)
                    throw std::runtime_error("a record opens with window, control, index and kind");
                lists.push_back({window, control == "-" ? "" : control, index == "-" ? INT32_MIN : std::stoi(index),
                                 &KindNamed(kind), {}});
                continue;
            }
            std::string name, hex, more;
            if (lists.empty() || !(fields >> name >> hex) || fields >> more)
                throw std::runtime_error("an entry line holds a name and its value in hex, within a record");
            lists.back().bytes += name + " " + Unhex(hex);
        } catch (const std::exception& e) {
            throw std::runtime_error("golden data, line " + std::to_string(number) + ": " + e.what());
        }
    }
    return lists;
}

void WriteGoldenLists(std::ostream& out, const std::vector<GoldenList>& lists) {
    out << "# The design lists byte for byte, written by `make golden`: one record per list,\n"
           "# \"window control index kind\" (\"-\" for none), then one line per entry: its name\n"
           "# and its value's bytes in hex. The design tests compare the lists with these.\n";
    for (const GoldenList& list : lists) {
        out << "\n"
            << list.window << " " << (list.control.empty() ? "-" : list.control) << " "
            << (list.index == INT32_MIN ? "-" : std::to_string(list.index)) << " " << list.kind->Name() << "\n";
        std::string joined;
        for (const PropertyEntry& e : DecodePropertyList(list.bytes, *list.kind)) {
            const std::string entry = PropertyListWriter().Entry(e).Bytes();
            joined += entry;
            out << "    " << e.name << " " << Hex(std::string_view(entry).substr(e.name.size() + 1)) << "\n";
        }
        if (joined != list.bytes) throw std::runtime_error(list.Where() + " does not read back as its entries");
    }
}

const std::vector<GoldenList>& GoldenData() {
    static const std::vector<GoldenList> data = [] {
        std::ifstream in(QUILLEVARD_GOLDEN_LISTS);
        if (!in) throw std::runtime_error("cannot read " QUILLEVARD_GOLDEN_LISTS);
        return ReadGoldenLists(in);
    }();
    return data;
}

const GoldenList& GoldenListOf(std::string_view window, std::string_view control, int32_t index) {
    for (const GoldenList& list : GoldenData())
        if (list.window == window && list.control == control && list.index == index) return list;
    throw std::out_of_range("no golden list for " + std::string(window) + " " + std::string(control));
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

std::string Show(const PropertyValue& value) {
    if (auto i = std::get_if<int32_t>(&value)) return "Int32 " + std::to_string(*i);
    if (auto b = std::get_if<bool>(&value)) return *b ? "Boolean true" : "Boolean false";
    if (auto c = std::get_if<Color>(&value))
        return "Color " + std::to_string(c->red) + "," + std::to_string(c->green) + "," + std::to_string(c->blue);
    return "String \"" + std::get<std::string>(value) + "\"";
}

std::vector<std::string> Decoded::Names() const {
    std::vector<std::string> names;
    for (const PropertyEntry& e : entries_) names.push_back(e.name);
    return names;
}

bool Decoded::Has(std::string_view name) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const PropertyEntry& e) { return e.name == name; });
}

const PropertyValue& Decoded::Get(std::string_view name) const {
    for (const PropertyEntry& e : entries_)
        if (e.name == name) return e.value;
    throw std::out_of_range("no entry " + std::string(name));
}

}  // namespace qv::golden
