// Identifiers of the About window's template, controls and strings (block 3300-3399 of the
// library's resources).
#pragma once

#define IDD_ABOUT 3300
#define IDC_ABOUT_LBLTITLE 3301
#define IDC_ABOUT_LBLVERSION 3302
#define IDC_ABOUT_LBLADODBVER 3303
// Where the rich-text control goes: it is made at load time, of whichever class the system has.
#define IDC_ABOUT_RCHEDIT_PLACE 3304
#define IDC_ABOUT_RCHEDIT 3305
#define IDC_ABOUT_LST 3306
#define IDC_ABOUT_LINE 3307

#define IDS_ABOUT_CAPTION 3320
#define IDS_ABOUT_COLUMN_COMPONENT 3321
#define IDS_ABOUT_COLUMN_VERSION 3322
// The standard rows' titles, in their order; the rich-text library the window uses comes last.
#define IDS_ABOUT_ROW_SMARTUI 3330
#define IDS_ABOUT_ROW_RICHTEXT 3331
#define IDS_ABOUT_ROW_ZLIB 3332
#define IDS_ABOUT_ROW_IUPDATE 3333
#define IDS_ABOUT_ROW_RICHEDIT 3334
