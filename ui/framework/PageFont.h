#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// A property sheet sizes each page's area from the page template's dialog
// units measured in the sheet's own font; a page drawn in another font
// would not fit its area. Pages are therefore shown in the sheet's font, as
// the framework has always done.

// The sheet's font: the platform's property-sheet font.
constexpr WORD kSheetFontPoints = 8;
constexpr wchar_t kSheetFontFace[] = L"MS Shell Dlg";

// A copy of an extended dialog template with its font replaced; empty when
// the template is not an extended one with a font, or is malformed.
std::vector<uint8_t> WithFont(const uint8_t* dialogTemplate, size_t size, WORD points,
                              const wchar_t* face);
