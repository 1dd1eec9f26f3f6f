// Identifiers of the network dialog's and the chat window's templates, controls and strings
// (block 2400-2599).
#pragma once

#define IDD_LAN 2400
#define IDC_LAN_TABS 2401
#define IDC_LAN_CANCEL 2402
// "&Host"
#define IDC_LAN_FRALOCAL 2410
#define IDC_LAN_LBLIP 2411
#define IDC_LAN_LSTIP 2412
#define IDC_LAN_LBLNICKNAME 2413
#define IDC_LAN_TXTNICKNAME 2414
#define IDC_LAN_LBLLOCALPORT 2415
#define IDC_LAN_TXTLOCALPORT 2416
#define IDC_LAN_CHKISHOST 2417
// "C&lient"
#define IDC_LAN_FRADIRECT 2420
#define IDC_LAN_LBLHOST 2421
#define IDC_LAN_TXTHOST0 2422  // the four bytes of the address, in order
#define IDC_LAN_TXTHOST1 2423
#define IDC_LAN_TXTHOST2 2424
#define IDC_LAN_TXTHOST3 2425
#define IDC_LAN_LBLREMOTEPORT 2426
#define IDC_LAN_TXTREMOTEPORT 2427
#define IDC_LAN_CMDCONNECT 2428

#define IDS_LAN_TAB_HOST 2440
#define IDS_LAN_TAB_CLIENT 2441
#define IDS_LAN_IP_TIP 2442
#define IDS_LAN_ASK 2443  // "Do you wish to play against %1 (%2) ?"
#define IDS_LAN_ASK_TITLE 2444
#define IDS_LAN_ACCEPTED 2445
#define IDS_LAN_ACCEPTED_TITLE 2446
#define IDS_LAN_REFUSED 2447
#define IDS_LAN_REFUSED_TITLE 2448
#define IDS_LAN_DISCONNECTED 2449
#define IDS_LAN_DISCONNECTED_TITLE 2450
#define IDS_LAN_INVALID_MOVE 2451
#define IDS_LAN_TOO_LONG 2452
#define IDS_LAN_CONNECTION_REFUSED 2453
#define IDS_LAN_ERROR_TITLE 2454  // "Error n°" followed by the number

#define IDD_CHAT 2500
#define IDC_CHAT_TXTMESSAGE 2501
#define IDC_CHAT_TXTSEND 2502
#define IDC_CHAT_CMDSEND IDOK  // Enter in the input box sends, as the button does
