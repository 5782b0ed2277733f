// Resource ids of the launcher. Every id the program, its resource script and
// its tests use is defined here and nowhere else.
#ifndef LAUNCHER_RESOURCE_H
#define LAUNCHER_RESOURCE_H

// Configuration strings: what ties the launcher to one game.
#define IDS_MUTEX_NAME          131
#define IDS_SETUP_EXE           132
#define IDS_SETUP_ARGS          133
#define IDS_GAME_EXE            134
#define IDS_GAME_ARGS           135
#define IDS_REGISTRY_KEY        136
#define IDS_INSTALL_PATH_VALUE  137
#define IDS_EXE_PATH_VALUE      138  // shipped for the installer's sake; never loaded
#define IDS_WEBSITE_URL         139
#define IDS_GAME_TITLE          140
#define IDS_FONT_FACE           141
#define IDS_SETUP_WINDOW_TITLE  142
#define IDS_FONT_HEIGHT         143
#define IDS_WAIT_FOR_SETUP      144
#define IDS_UPPERCASE_CAPTIONS  145
#define IDS_SECOND_SETUP_EXE    146
#define IDS_SECOND_SETUP_ARGS   147
#define IDS_PRODUCT_CODE        148

// Language blocks: ten strings from each base, one block per language.
#define IDS_BLOCK_PORTUGUESE    1100  // also English and every language without a block
#define IDS_BLOCK_FRENCH        1200
#define IDS_BLOCK_GERMAN        1300
#define IDS_BLOCK_ITALIAN       1400
#define IDS_BLOCK_SPANISH       1500
#define IDS_BLOCK_ENGLISH_CHS   1600
#define IDS_BLOCK_ENGLISH_CHT   1700
#define IDS_BLOCK_ENGLISH_KOR   1800
#define IDS_BLOCK_ENGLISH_JPN   1900
#define IDS_BLOCK_RUSSIAN       2000
#define IDS_BLOCK_POLISH        2100
#define IDS_BLOCK_CZECH         2200

// Offsets within a language block.
#define IDS_LANGUAGE_NAME       0
#define IDS_INSTALL             1
#define IDS_PLAY                2
#define IDS_UNINSTALL           3
#define IDS_WEBSITE             4
#define IDS_README              5
#define IDS_EXIT                6
#define IDS_ERR_OS_VERSION      7
#define IDS_ERR_DISPLAY         8
#define IDS_README_FILE         9

// Bitmaps: the four button states (329 x 46) and the window background (640 x 480).
#define IDB_BUTTON_NORMAL       300
#define IDB_BUTTON_PRESSED      301
#define IDB_BUTTON_HOVER        302
#define IDB_BUTTON_DISABLED     303
#define IDB_BACKGROUND          304

// Icon group of the window class and the file.
#define IDI_LAUNCHER            500

#endif
