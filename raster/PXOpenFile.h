#pragma once

#include <cstdio>

// Opens a file named in UTF-8 for reading raw bytes; null when it cannot be
// opened. On Windows the name goes through the wide-character open first.
std::FILE* PXOpenFileForReading(const char* utf8Name);
