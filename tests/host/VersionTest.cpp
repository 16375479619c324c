// The version is set once, in CMakeLists.txt's project(); the README states the same one.
#include "SourceFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Version, ReadmeStatesTheProjectVersionAndNoOther) {
    const std::string Readme = ReadSourceFile("README.md");
    ASSERT_FALSE(Readme.empty()) << "cannot read README.md";
    const std::string Word = "Version ";
    int Count = 0;
    for (auto At = Readme.find(Word); At != std::string::npos; At = Readme.find(Word, At + 1)) {
        const auto Start = At + Word.size();
        const auto End = Readme.find_first_not_of("0123456789.", Start);
        std::string Number = Readme.substr(Start, End - Start);
        while (!Number.empty() && Number.back() == '.') Number.pop_back();  // a full stop
        if (Number.empty()) continue;
        ++Count;
        EXPECT_EQ(Number, QUILLORA_VERSION) << "README: " << Readme.substr(At, End - At);
    }
    EXPECT_GT(Count, 0) << "the README states no version";
}

}  // namespace
