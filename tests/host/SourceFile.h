// A file of the source tree, read whole as bytes (empty when it cannot be read).
#pragma once
#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadSourceFile(const std::string& Relative) {
    std::ifstream In(std::string(QUILLORA_SOURCE_DIR) + "/" + Relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}
