#pragma once

// The bare sheet's two page templates.
#define IDD_BARE_FIRST_PAGE 101
#define IDD_BARE_SECOND_PAGE 102
