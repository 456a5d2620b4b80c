#pragma once
// Lines for whoever started the program from a console or a script. Veilor is a
// windowed program: it has no console of its own and borrows its parent's for a moment.
#include <string>
#include <vector>

namespace platform::win32 {

// The program's arguments, without its own path, as UTF-8.
std::vector<std::string> commandLineArguments();

// Writes the text and a line end to the output a script redirected, or else to the
// console of the process that started this one; nowhere when there is neither.
void writeToConsole(const std::string& text);

}  // namespace platform::win32
