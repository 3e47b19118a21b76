// Rewrites the golden data from the designs as they now stand (`make golden`). Run
// it only after a deliberate change to a design, and read the difference it makes.
#include "GoldenLists.h"

#include "resources/AllDesigns.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <golden-data-file>\n", argv[0]);
        return 2;
    }
    try {
        std::vector<qv::golden::GoldenList> lists;
        for (const auto& [window, design] : qv::design::AllWindowDesigns()) {
            std::vector<qv::golden::GoldenList> own = qv::golden::ListsOf(window, design());
            lists.insert(lists.end(), own.begin(), own.end());
        }
        // Written whole before the file is touched, so that a failure leaves it as it was.
        std::ostringstream text;
        qv::golden::WriteGoldenLists(text, lists);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + argv[1]);
        std::printf("%zu lists in %s\n", lists.size(), argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
