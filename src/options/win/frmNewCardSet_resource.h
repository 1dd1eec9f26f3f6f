// Identifiers of the new-card-set dialog's template, controls and strings (2260-2299 and
// 2330-2379 of the options dialog's block, which opens it).
#pragma once

#define IDD_NEWCARDSET 2260

#define IDC_NCS_LBLNAME 2261
#define IDC_NCS_TXTNAME 2262
#define IDC_NCS_LBLPICTURES 2263
#define IDC_NCS_LSTPICTURES 2264
#define IDC_NCS_CMDADD 2265
#define IDC_NCS_CMDREMOVE 2266
#define IDC_NCS_LBLCOUNT 2267
#define IDC_NCS_PICPREVIEW 2268

// The status line: pictures still needed, too many, or ready.
#define IDS_NCS_MISSING_ONE 2330
#define IDS_NCS_MISSING 2331
#define IDS_NCS_TOO_MANY 2332
#define IDS_NCS_READY 2333

// The open dialog.
#define IDS_NCS_ADD_TITLE 2335
#define IDS_NCS_ADD_FILTER 2336

// Notices about the pictures.
#define IDS_NCS_TITLE 2340
#define IDS_NCS_NOT_PICTURE 2341
#define IDS_NCS_TOO_SMALL 2342
#define IDS_NCS_ALREADY_LISTED 2343

// The set's name; in the order of SetNameProblem from Empty on.
#define IDS_NCS_NAME_EMPTY 2350
#define IDS_NCS_NAME_TOO_LONG 2351
#define IDS_NCS_NAME_BAD_CHARACTER 2352
#define IDS_NCS_NAME_RESERVED 2353
#define IDS_NCS_NAME_TRAILING 2354

// Creating the set.
#define IDS_NCS_REPLACE_QUESTION 2360
#define IDS_NCS_REPLACE_TITLE 2361
#define IDS_NCS_WRITE_FAILED 2362
