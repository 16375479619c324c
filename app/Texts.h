// The texts the user reads for what the core reports as codes and numbers.
#pragma once
#include "PaletteFile.h"

#include <string>

// Why a palette file was refused, e.g. "第 3 行不是颜色"; empty for TReadProblem::None.
std::wstring ReadProblemText(const PaletteFile::TReadReason& reason);
