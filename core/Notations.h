#pragma once

// The notations of a colour: the seven rows of the main window (numbered 1..7, their edits'
// and copy buttons' tags) and the eight more texts of "复制为" (numbered 1..8).
namespace Notations {
constexpr int kMainCount = 7;
constexpr int kMoreCount = 8;
}  // namespace Notations
