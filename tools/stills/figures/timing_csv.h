#pragma once
// The timing of one cycle as CSV, a degree a row, for a spreadsheet.

#include <string>

namespace stills {

std::string timingCsv();

}  // namespace stills
