// Text for whoever started the program: its standard output when it has one (a pipe, a file, a
// console), else the console of its parent when there is one; UTF-8 where bytes are written.
#pragma once

#include <string_view>

namespace es {

void WriteConsoleOutput(std::wstring_view text);

}  // namespace es
