// Writes the program's icon files into the folder given as the only argument (app/res).
#include "IconGen.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icongen <output folder>\n");
        return 2;
    }
    const struct { const char* Name; std::vector<uint8_t> (*Build)(); } kFiles[] = {
        {"MAINICON.ico", IconGen::BuildMainIcon},
        {"RES_MAINFORM_ADD.ico", IconGen::BuildAddIcon},
        {"RES_MAINFORM_ROUND.ico", IconGen::BuildRoundIcon},
        {"RES_ABOUTFORM_ICON.ico", IconGen::BuildAboutIcon},
    };
    for (const auto& file : kFiles) {
        const std::string path = std::string(argv[1]) + "/" + file.Name;
        const std::vector<uint8_t> bytes = file.Build();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "icongen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
