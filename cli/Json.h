#pragma once

#include <string>

// Pieces of the JSON that --json prints: texts as JSON strings (8-bit texts
// of the system code page pass through as their bytes, except control
// characters and the two that must be escaped).
std::string JsonString(const std::string& text);
