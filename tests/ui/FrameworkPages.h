#pragma once

// Two small pages that exercise the framework without the tool's own.
#define IDD_FIRST_TEST_PAGE 901
#define IDD_SECOND_TEST_PAGE 902
#define IDC_TEST_CHECK 1001
#define IDC_TEST_COMBO 1002
#define IDC_TEST_SLIDER 1003
