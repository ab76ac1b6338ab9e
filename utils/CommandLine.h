// The program's command-line parameters, split as the system's start-up code splits them:
// blanks and control characters separate parameters, a stretch in double quotes belongs to one
// parameter (blanks included) and the quotes themselves are dropped. Parameters of any length.
#pragma once

#include <string>

// The parameter after the program name, or false when there is none.
bool FirstParameter(const std::string& commandLine, std::string& parameter);
