// Identifiers of the feedback window's template, controls and strings (block 3600-3699 of the
// library's resources).
#pragma once

#define IDD_SUBMIT 3600
#define IDC_SUBMIT_LBLNAME 3601
#define IDC_SUBMIT_TXTNAME 3602
#define IDC_SUBMIT_LBLEMAIL 3603
#define IDC_SUBMIT_TXTEMAIL 3604
#define IDC_SUBMIT_LBLFEEDBACK 3605
#define IDC_SUBMIT_TXTFEEDBACK 3606
#define IDC_SUBMIT_PICINSTALL 3607
// Enter sends and Escape (or the close box) cancels, as the buttons do.
#define IDC_SUBMIT_CMDOK IDOK
#define IDC_SUBMIT_CMDCANCEL IDCANCEL

// IsValid's messages, in the order of its checks, and their titles.
#define IDS_SUBMIT_NAME_EMPTY 3640
#define IDS_SUBMIT_EMAIL_SHORT 3641
#define IDS_SUBMIT_FEEDBACK_EMPTY 3642
#define IDS_SUBMIT_EMAIL_NO_AT 3643
#define IDS_SUBMIT_EMAIL_PERIOD 3644
#define IDS_SUBMIT_EMAIL_FORMAT 3645
#define IDS_SUBMIT_TITLE_NAME 3650
#define IDS_SUBMIT_TITLE_EMAIL 3651
#define IDS_SUBMIT_TITLE_FEEDBACK 3652
// The outcomes of a request.
#define IDS_SUBMIT_UNREACHABLE 3660
#define IDS_SUBMIT_NO_RELAY 3661
#define IDS_SUBMIT_SENT 3662
#define IDS_SUBMIT_SENT_TITLE 3663
#define IDS_SUBMIT_UNKNOWN 3664
#define IDS_SUBMIT_ERROR_TITLE 3665
#define IDS_SUBMIT_ERRNUM_TITLE 3666  // followed by the code in hexadecimal
#define IDS_SUBMIT_HTTP_TITLE 3667    // "%1" stands for the relay's HTTP status
