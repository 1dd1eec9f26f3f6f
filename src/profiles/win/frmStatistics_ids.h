#pragma once
// Resource identifiers of the statistics window (block 2000..2199). Label arrays are numbered
// by their index so that index k of an array is its first identifier + k.

#define IDD_STATISTICS 2000

#define IDS_STAT_TAB_PLAYER 2001
#define IDS_STAT_TAB_COMPUTER 2002
#define IDS_STAT_TAB_GRAPH 2003

#define IDC_STAT_TABBAR 2010
#define IDC_STAT_EXPLAIN 2011
#define IDC_STAT_GRAPH 2012

// fraGeneral(0..1), fraPerformances(0..1)
#define IDC_STAT_GENERAL0 2020
#define IDC_STAT_GENERAL1 2021
#define IDC_STAT_PERFORMANCES0 2022
#define IDC_STAT_PERFORMANCES1 2023

// Row captions: player's General rows 1..5, then Performances rows 1..5; the computer's follow.
#define IDC_STAT_CAPTION_FIRST 2030
#define IDC_STAT_CAPTION_COUNT 20

// lblStat(0..5): games played, won, lost; player first.
#define IDC_STAT_STAT0 2060
#define IDC_STAT_STAT1 2061
#define IDC_STAT_STAT2 2062
#define IDC_STAT_STAT3 2063
#define IDC_STAT_STAT4 2064
#define IDC_STAT_STAT5 2065

// lblPercent(0..3): won and lost shares.
#define IDC_STAT_PERCENT0 2070
#define IDC_STAT_PERCENT1 2071
#define IDC_STAT_PERCENT2 2072
#define IDC_STAT_PERCENT3 2073

// lblTime(0..3): 0 the player's game length, 1 the player's AI level (hidden), 2 the
// computer's game length (hidden), 3 the computer's AI level.
#define IDC_STAT_TIME0 2080
#define IDC_STAT_TIME1 2081
#define IDC_STAT_TIME2 2082
#define IDC_STAT_TIME3 2083

// lblStatPerf(0..9): total, wild guess, first, second, both viewed; player first.
#define IDC_STAT_PERF0 2090
#define IDC_STAT_PERF1 2091
#define IDC_STAT_PERF2 2092
#define IDC_STAT_PERF3 2093
#define IDC_STAT_PERF4 2094
#define IDC_STAT_PERF5 2095
#define IDC_STAT_PERF6 2096
#define IDC_STAT_PERF7 2097
#define IDC_STAT_PERF8 2098
#define IDC_STAT_PERF9 2099

// lblPercentPref(0..7): the found-pair shares.
#define IDC_STAT_PERFPERCENT0 2100
#define IDC_STAT_PERFPERCENT1 2101
#define IDC_STAT_PERFPERCENT2 2102
#define IDC_STAT_PERFPERCENT3 2103
#define IDC_STAT_PERFPERCENT4 2104
#define IDC_STAT_PERFPERCENT5 2105
#define IDC_STAT_PERFPERCENT6 2106
#define IDC_STAT_PERFPERCENT7 2107
