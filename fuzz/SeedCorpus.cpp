// Writes the fuzzer's seed corpus into the folder it is given: every list the
// application's designs carry, the windows' own and each control's, behind the
// byte that names its kind. A list that serves several windows is written once.
#include "FuzzInput.h"
#include "Window.h"

#include "resources/AllDesigns.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

using namespace qv;

bool Write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    std::set<std::string> seen;
    int written = 0;
    auto seed = [&](const std::string& name, const PropertyKind& kind, const std::string& list) {
        std::string input(1, static_cast<char>(fuzz::InputByteOf(kind)));
        input += list;
        if (!seen.insert(input).second) return true;
        ++written;
        return Write(folder / name, input);
    };
    for (const auto& [window, design] : design::AllWindowDesigns()) {
        if (!seed(std::string(window) + ".list", Window::Kind(), design().list)) return 1;
        for (const ControlDesign& control : design().controls) {
            std::string name = std::string(window) + "." + control.name;
            if (control.InSet()) name += "." + std::to_string(control.index);
            if (!seed(name, *control.kind, *control.list)) return 1;
        }
    }
    std::printf("%d seeds in %s\n", written, folder.c_str());
    return 0;
}
