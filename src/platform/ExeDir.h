#pragma once
// The folder of the running executable, where the settings and history files
// live beside the program.

#include <string>

// With a trailing '/', so a file name can be appended directly.
std::string ExecutableDir();
