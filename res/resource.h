// Resource and control identifiers shared by the program and its resources.
#pragma once

#define IDM_ABOUTBOX 0x0010
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDP_SOCKETS_INIT_FAILED 103
#define IDR_MAINFRAME 128
#define IDR_TRAYMENU 130
#define IDD_MEMSELECT 131

#define IDC_PLAYLIST 1003
#define IDC_PLAY 1004
#define IDC_STOP 1005
#define IDC_HIDE 1006
#define IDC_CLEARALL 1007
#define IDC_DELETE 1008
#define IDC_STATUS 1009
#define IDC_TIME 1010
#define IDC_NEXT 1011
#define IDC_PREV 1012
#define IDC_UP 1013
#define IDC_DOWN 1014
#define IDC_SEEK 1015
#define IDC_MEM1 1016
#define IDC_MEM2 1017
#define IDC_MEM3 1018
#define IDC_MEM4 1019
#define IDC_MEM5 1020
#define IDC_MEMORIZE 1021
#define IDC_SLOT1 1025
#define IDC_SLOT2 1026
#define IDC_SLOT3 1027
#define IDC_SLOT4 1028
#define IDC_SLOT5 1029

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
