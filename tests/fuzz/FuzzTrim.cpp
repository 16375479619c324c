// TextUtil::Trim on any bytes: every settings value and time text passes through it.

#include "FuzzCheck.h"
#include "util/TextUtil.h"

namespace {

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= 32; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string Text = FuzzText(Data, Size);
    const std::string Trimmed = TextUtil::Trim(Text);

    // Nothing blank is left at either end.
    FUZZ_CHECK(Trimmed.empty() || (!IsBlank(Trimmed.front()) && !IsBlank(Trimmed.back())));

    // The result is the text between its leading and trailing blanks, and only blanks went.
    std::size_t Leading = 0;
    while (Leading < Text.size() && IsBlank(Text[Leading])) ++Leading;
    FUZZ_CHECK(Leading + Trimmed.size() <= Text.size());
    FUZZ_CHECK(Text.compare(Leading, Trimmed.size(), Trimmed) == 0);
    for (std::size_t I = Leading + Trimmed.size(); I < Text.size(); ++I) FUZZ_CHECK(IsBlank(Text[I]));

    // Empty exactly when the whole text is blank.
    bool AllBlank = true;
    for (char C : Text) AllBlank = AllBlank && IsBlank(C);
    FUZZ_CHECK(Trimmed.empty() == AllBlank);

    // A second trim changes nothing; blanks added at the ends are taken off again.
    FUZZ_CHECK(TextUtil::Trim(Trimmed) == Trimmed);
    FUZZ_CHECK(TextUtil::Trim(std::string("\t \x01") + Trimmed + std::string(1, '\0') + " ") ==
               Trimmed);
    return 0;
}
