/*
 * Resource ids shared by Moravel.rc and the code. The numbers are fixed: a resource library
 * (QVPVX.DLL) replaces resources by these ids, so none may change. Grouped by kind; each
 * dialog's controls are listed with their dialog.
 */
#ifndef MORAVEL_RESOURCE_IDS_H
#define MORAVEL_RESOURCE_IDS_H

/* Menus, accelerators, icon, bitmaps */
#define IDR_MAINMENU            700
#define IDR_ACCEL               703
#define IDR_TREEROOT            710
#define IDR_TREEMEMBER          711
#define IDR_LISTMEMBER          728
#define IDI_MORAVEL             714
#define IDB_ABOUT               206
#define IDB_TREEIMAGES          709
#define IDB_TOOLBAR             730
#define IDB_TOOLBAR_DISABLED    740

/* Commands (menus, toolbar, context menus, sent by the program to itself) */
#define IDM_CONNECT             801
#define IDM_DISCONNECT          802
#define IDM_CTX_DOWNLOAD        804
#define IDM_CTX_UPLOAD          805
#define IDM_PROPERTIES          806
#define IDM_OPEN                807
#define IDM_SAVE                808
#define IDM_EXIT                811
#define IDM_CUT                 812
#define IDM_COPY                813
#define IDM_PASTE               814
#define IDM_DELETE              815
#define IDM_VIEW_QUICK          816
#define IDM_VIEW_SPEED          817
#define IDM_VIEW_GROUP          818
#define IDM_READ_DEVICE         819
#define IDM_HELP_TOPICS         820
#define IDM_ABOUT               821
#define IDM_PRINT               822
#define IDM_DEVICE_SETTINGS     825
#define IDM_ENTRY_PROPERTIES    826
#define IDM_TOTAL_COUNTER       827
#define IDM_NUMLOCK             828
#define IDM_CAPSLOCK            829
#define IDM_SCROLLLOCK          830
#define IDM_SAVE_AS             831
#define IDM_DOWNLOAD            832
#define IDM_UPLOAD              833
#define IDM_DEVICE_INFO         1022

/* Main window children */
#define IDC_TOOLBAR             1000
#define IDC_STATUSBAR           1021
#define IDC_TREE                2000
#define IDC_DIALLIST            2001
#define IDC_MEMBERLIST          2002

/* Dialog 713: connection panel */
#define IDD_CONNECTION          713
#define IDC_CONNECTION_TEXT     1039

/* Dialog 731: About */
#define IDD_ABOUT               731
#define IDC_ABOUT_PICTURE       1273
#define IDC_ABOUT_VERSION       1274
#define IDC_ABOUT_NAME          690

/* Strings */
#define IDS_QUICK_DIAL_LIST     1
#define IDS_SPEED_DIAL_LIST     2
#define IDS_GROUP_LIST          3
#define IDS_APP_TITLE           4
#define IDS_STATUS_TITLE        10
#define IDS_TIP_DEVICE_SETTINGS 24
#define IDS_COL_NAME            26
#define IDS_COL_DESTINATION     27
#define IDS_COL_NO              28
#define IDS_COL_SUB             29
#define IDS_COL_SID             31
#define IDS_COL_SPEED           32
#define IDS_TIP_CONNECT         33
#define IDS_TIP_DISCONNECT      34
#define IDS_TIP_OPEN            35
#define IDS_CONNECTION_ONLINE   39
#define IDS_CONNECTION_OFFLINE  40
#define IDS_COL_MEMBER          59
#define IDS_VERSION             172
#define IDS_TIP_UPLOAD          175
#define IDS_TIP_DOWNLOAD        176
#define IDS_DEFAULT_DOCUMENT    178
#define IDS_TIP_SAVE            179
#define IDS_ABOUT_NAME          183
#define IDS_COL_OPTION1         2091
#define IDS_COL_OPTION2         2092
#define IDS_COL_OPTION3         2093
#define IDS_COL_OPTION4         2094
#define IDS_MODEL_PROFILE       5001

#endif
