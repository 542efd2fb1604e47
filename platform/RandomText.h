#pragma once

#include <string>

// Hexadecimal text of count bytes from the system's source of random
// numbers, for names that nobody can tell beforehand.
std::string RandomHexText(std::size_t count);
