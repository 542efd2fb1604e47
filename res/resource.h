#pragma once

// Resource and control ids of Setup.exe; fixed numbers the client's tool has
// always used. Included by the resource script and by the pages.

// The programs' icon (Setup.exe and setupctl.exe): the lowest icon id, the
// one Windows' file browser shows.
#define IDI_SETUP 1

#define IDD_SYSTEM_PAGE 104
#define IDD_OPTION_PAGE 103

// Copies of the two templates in other languages, made at build time from
// the pages' own (res/PageCopies.txt) for the client's tools; the pages
// never select them.
#define IDD_OPTION_PAGE_KO 105
#define IDD_SYSTEM_PAGE_KO 106
#define IDD_OPTION_PAGE_JA 107
#define IDD_SYSTEM_PAGE_JA 108
#define IDD_SYSTEM_PAGE_ZH 110
#define IDD_OPTION_PAGE_ZH 111
#define IDD_OPTION_PAGE_EN 112
#define IDD_SYSTEM_PAGE_EN 139
#define IDD_OPTION_PAGE_EN2 140
#define IDD_SYSTEM_PAGE_EN2 141

#define IDB_SYSTEM_PAGE 133
#define IDB_OPTION_PAGE 138

#define IDC_DEFAULT 1050

// System page (template 104)
#define IDC_DEVICE_LIST 1027
#define IDC_MODE_LIST 1028
#define IDC_FULLSCREEN 1029
#define IDC_SPRITE_DETAIL 1030
#define IDC_TEXTURE_DETAIL 1031
#define IDC_BGM_VOLUME 1032
#define IDC_EFFECT_VOLUME 1033
#define IDC_BGM_ON 1034
#define IDC_EFFECT_ON 1035
#define IDC_MOUSE_EXCLUSIVE 1036
#define IDC_NO_SOUND 1037

// Option page (template 103): one check box per client command
#define IDC_CMD_NOTRADE 1026
#define IDC_CMD_NOSHIFT 1035
#define IDC_CMD_NOCTRL 1044
#define IDC_CMD_SKILLFAIL 1027
#define IDC_CMD_NOTALKMSG 1036
#define IDC_CMD_NOTALKMSG2 1045
#define IDC_CMD_SHOWNAME 1028
#define IDC_CMD_FOG 1018
#define IDC_CMD_AURA 1046
#define IDC_CMD_WINDOW 1029
#define IDC_CMD_MISS 1038
#define IDC_CMD_EFFECT 1047
#define IDC_CMD_SHOPPING 1031
#define IDC_CMD_STATEINFO 1040
#define IDC_CMD_LOGINOUT 1048
#define IDC_CMD_SNAP 1032
#define IDC_CMD_ITEMSNAP 1041
#define IDC_CMD_CAMERA 1049
#define IDC_CMD_HOAI 1033
#define IDC_CMD_MERAI 1042
#define IDC_CMD_LIGHTMAP 1013
