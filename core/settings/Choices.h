// The settings that take one of a few values, each a table of rows written once: the value the
// settings file holds, the name of its text in the program's table of texts (the app turns the
// name into its text; the core never needs it), and what the program does with the choice.
// The settings table takes its names, values and range from these rows, the app its menu
// group and the code that applies the choice; a fifth colour space is one row here, and when
// its target is new, a ColorProfile::TSpace value with its row of primaries. Each list is a
// macro of ROW(...) rows (eight at most): expand it with a ROW of your own.
#pragma once

// ROW(value in the file, name in the program, text, the space picks are converted into: none
// for the monitor's own values)
#define QUILLORA_COLOR_SPACES(ROW)                                           \
    ROW("native", Native, SpaceNative, std::nullopt)                        \
    ROW("srgb", Srgb, SpaceSrgb, ColorProfile::TSpace::Srgb)                \
    ROW("p3", P3, SpaceP3, ColorProfile::TSpace::P3)                        \
    ROW("adobergb", AdobeRgb, SpaceAdobe, ColorProfile::TSpace::AdobeRgb)

// ROW(value in the file, pixels a side a pick averages, text)
#define QUILLORA_SAMPLES(ROW) \
    ROW(1, 1, Sample1)        \
    ROW(3, 3, Sample3)        \
    ROW(5, 5, Sample5)

// ROW(value in the file, language, text)
#define QUILLORA_LANGUAGES(ROW)        \
    ROW("zh", Chinese, Chinese)        \
    ROW("en", English, English)

// Expansions every list can use: how many rows, and the file's values in order.
#define QUILLORA_CHOICE_ONE(...) +1
#define QUILLORA_CHOICE_VALUE(value, ...) value,
