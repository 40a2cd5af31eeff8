/*
 * Resource ids shared by Moravel.rc and the code. The numbers are fixed: a resource library
 * (QVPVX.DLL) replaces resources by these ids, so none may change. Grouped by kind; each
 * dialog's controls are listed with their dialog. A control id that several dialogs share gets
 * one name per dialog. Strings from 9000 and controls from 9500 are ids this program added
 * for texts and controls that had no number of their own.
 */
#ifndef MORAVEL_RESOURCE_IDS_H
#define MORAVEL_RESOURCE_IDS_H

/* The ids are a table shared with Moravel.rc: kept aligned by hand. */
/* clang-format off */

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
/* The same pictures drawn for 150 and 200 % of 96 DPI */
#define IDB_TREEIMAGES_150      10300
#define IDB_TREEIMAGES_200      10301
#define IDB_TOOLBAR_150         10302
#define IDB_TOOLBAR_200         10303
#define IDB_TOOLBAR_DISABLED_150 10304
#define IDB_TOOLBAR_DISABLED_200 10305

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

/* Dialog 712: Quick or Speed Dial entry ("Program Quick Dial #") */
#define IDD_DIAL_ENTRY                  712
#define IDC_ENTRY_TYPE_FAX              1236
#define IDC_ENTRY_TYPE_EMAIL            1237
#define IDC_ENTRY_DEST_FRAME            1137
#define IDC_ENTRY_NAME_LABEL            1121
#define IDC_ENTRY_NAME                  1031
#define IDC_ENTRY_NUMBER_LABEL          1043
#define IDC_ENTRY_FAX_NUMBER            1032
#define IDC_ENTRY_EMAIL                 1045
#define IDC_ENTRY_SUB_LABEL             1047
#define IDC_ENTRY_SUB                   1033
#define IDC_ENTRY_SID_LABEL             1133
#define IDC_ENTRY_SID                   1034
#define IDC_ENTRY_SPEED_LABEL           1048
#define IDC_ENTRY_SPEED_9600            1049
#define IDC_ENTRY_SPEED_14400           1050
#define IDC_ENTRY_SPEED_33600           1051
/* Only on a model library's form of this dialog; the program's own form lacks them. */
#define IDC_ENTRY_BATCH_HOUR            1036
#define IDC_ENTRY_BATCH_MINUTE          1042
#define IDC_ENTRY_BATCH_HOUR_LABEL      1046
#define IDC_ENTRY_BATCH_MINUTE_LABEL    2111
#define IDC_ENTRY_EMAIL_NOTE            2090
#define IDC_ENTRY_CUSTOM_SCAN_OFF       2101
#define IDC_ENTRY_CUSTOM_SCAN_ON        2102
#define IDC_ENTRY_SCAN_SIZE_LABEL       2103
#define IDC_ENTRY_SCAN_RESOLUTION_LABEL 2104
#define IDC_ENTRY_SCAN_CODING_LABEL     2105
#define IDC_ENTRY_SCAN_SIZE             2106
#define IDC_ENTRY_SCAN_RESOLUTION       2107
#define IDC_ENTRY_SCAN_CODING           2108

/* Dialog 742: group ("Program Group #") */
#define IDD_GROUP                       742
#define IDC_GROUP_QUICK_LIST            1144
#define IDC_GROUP_ADD_QUICK             1145
#define IDC_GROUP_MEMBERS               1146
#define IDC_GROUP_REMOVE                1157
#define IDC_GROUP_ADD_SPEED             1158
#define IDC_GROUP_SPEED_LIST            1159
#define IDC_GROUP_NAME                  1031

/* Dialog 154: Print Destination List */
#define IDD_PRINT_CHOICE                154
#define IDC_PRINT_QUICK                 9500
#define IDC_PRINT_SPEED                 9501
#define IDC_PRINT_GROUP                 9502

/* Dialog 147: Counter */
#define IDD_COUNTER                     147
#define IDC_COUNTER_SCAN                1238
#define IDC_COUNTER_FULL_COLOR          1239
#define IDC_COUNTER_BLACK_WHITE         1374
#define IDC_COUNTER_LEVEL_COLOR         1375

/* Dialog 708: Device Info */
#define IDD_DEVICE_INFO                 708
#define IDC_INFO_ADF                    1255
#define IDC_INFO_OPTIONAL_TRAY          1256
#define IDC_INFO_BYPASS_TRAY            1257
#define IDC_INFO_ETHERNET               1263
#define IDC_INFO_MEMORY                 1264

/* Dialog 741: Properties (device name and fax number) */
#define IDD_PROPERTIES                  741
#define IDC_PROP_DEVICE_NAME            1403
#define IDC_PROP_FAX_NUMBER             1032
#define IDC_PROP_DEVICE_NAME_LABEL      9510
#define IDC_PROP_FAX_NUMBER_LABEL       9511

/* Settings sheet pages, in sheet order */

/* Page 715: System */
#define IDD_PAGE_SYSTEM                 715
#define IDC_SYS_AUTO_RESET              1052
#define IDC_SYS_AUTO_RESET_TIME         1053
#define IDC_SYS_ENERGY_SAVER            1054
#define IDC_SYS_ENERGY_SAVER_VALUE      1055
#define IDC_SYS_AUTO_OFF                1056
#define IDC_SYS_AUTO_OFF_MINUTES        1351
#define IDC_SYS_LANGUAGE                1067
#define IDC_SYS_PRIORITY_COPY           1068
#define IDC_SYS_PRIORITY_FAX            1069
#define IDC_SYS_PRIORITY_PRINTER        1070
#define IDC_SYS_COUNTRY                 1073
#define IDC_SYS_DAYLIGHT_SAVING         1339
#define IDC_SYS_KEY_VOLUME_HIGH         2362
#define IDC_SYS_KEY_VOLUME_MIDDLE       2363
#define IDC_SYS_KEY_VOLUME_LOW          2364
#define IDC_SYS_KEY_VOLUME_OFF          2365
#define IDC_SYS_LINE_VOLUME_HIGH        2366
#define IDC_SYS_LINE_VOLUME_MIDDLE      2367
#define IDC_SYS_LINE_VOLUME_LOW         2368
#define IDC_SYS_LINE_VOLUME_OFF         2369
#define IDC_SYS_ALERT_VOLUME_HIGH       2370
#define IDC_SYS_ALERT_VOLUME_MIDDLE     2371
#define IDC_SYS_ALERT_VOLUME_LOW        2372
#define IDC_SYS_ALERT_VOLUME_OFF        2373

/* Page 716: Paper (custom X/Y fields in mm; labels and boxes hidden with their tray) */
#define IDD_PAGE_PAPER                  716
#define IDC_PAPER_TRAY1_SIZE            2295
#define IDC_PAPER_TRAY1_TYPE            2296
#define IDC_PAPER_TRAY1_STANDARD        1393
#define IDC_PAPER_TRAY1_CUSTOM          1394
#define IDC_PAPER_TRAY1_X               1147
#define IDC_PAPER_TRAY1_Y               1148
#define IDC_PAPER_TRAY2_SIZE            2297
#define IDC_PAPER_TRAY2_TYPE            2298
#define IDC_PAPER_TRAY2_STANDARD        1395
#define IDC_PAPER_TRAY2_CUSTOM          1396
#define IDC_PAPER_TRAY2_X               1149
#define IDC_PAPER_TRAY2_Y               1150
#define IDC_PAPER_BYPASS_SIZE           2299
#define IDC_PAPER_BYPASS_TYPE           2300
#define IDC_PAPER_BYPASS_STANDARD       1397
#define IDC_PAPER_BYPASS_CUSTOM         1398
#define IDC_PAPER_BYPASS_X              1151
#define IDC_PAPER_BYPASS_Y              1391
#define IDC_PAPER_AUTO_TRAY_SELECT      1377
#define IDC_PAPER_TRAY2_BOX             9520
#define IDC_PAPER_TRAY2_TYPE_LABEL      9521
#define IDC_PAPER_TRAY2_X_LABEL         9522
#define IDC_PAPER_TRAY2_Y_LABEL         9523
#define IDC_PAPER_BYPASS_BOX            9525
#define IDC_PAPER_BYPASS_TYPE_LABEL     9526
#define IDC_PAPER_BYPASS_X_LABEL        9527
#define IDC_PAPER_BYPASS_Y_LABEL        9528

/* Dialog 2333: Auto Tray Select (opened from the Paper page) */
#define IDD_AUTO_TRAY_SELECT            2333
#define IDC_ATS_TRAY1_OFF               1303
#define IDC_ATS_TRAY1_ON                1304
#define IDC_ATS_TRAY2_OFF               1305
#define IDC_ATS_TRAY2_ON                1306
#define IDC_ATS_BYPASS_OFF              1307
#define IDC_ATS_BYPASS_ON               1308
#define IDC_ATS_TRAY1_BOX               9570
#define IDC_ATS_TRAY2_BOX               9571
#define IDC_ATS_BYPASS_BOX              9572

/* Page 718: Copier (the ADF-only groups are hidden with their boxes) */
#define IDD_PAGE_COPIER                 718
#define IDC_COPY_TRAY_PRIORITY          1089
#define IDC_COPY_MANUAL_DENSITY         1093
#define IDC_COPY_SORT_OFF               1105
#define IDC_COPY_SORT_ON                1106
#define IDC_COPY_2IN1_OFF               1107
#define IDC_COPY_2IN1_ON                1108
#define IDC_COPY_2SIDED_COPY_OFF        1111
#define IDC_COPY_2SIDED_COPY_ON         1112
#define IDC_COPY_AUTO_LIGHTER           1229
#define IDC_COPY_AUTO_NORMAL            1230
#define IDC_COPY_AUTO_DARKER            1231
#define IDC_COPY_FACE_DOWN              1339
#define IDC_COPY_BALANCE_R              1345
#define IDC_COPY_BALANCE_G              1346
#define IDC_COPY_CONTRAST               1347
#define IDC_COPY_BALANCE_B              1348
#define IDC_COPY_SHARPNESS              1349
#define IDC_COPY_2SIDED_ORIGINAL        1350
#define IDC_COPY_DENSITY_AUTO           1388
#define IDC_COPY_DENSITY_MANUAL         1389
#define IDC_COPY_BINDING                1412
#define IDC_COPY_ORIENTATION            1413
#define IDC_COPY_OUTPUT_ORDER           1414
#define IDC_COPY_ORIGINAL_TEXT          2062
#define IDC_COPY_ORIGINAL_PHOTO         2063
#define IDC_COPY_ORIGINAL_TEXT_PHOTO    2064
#define IDC_COPY_SORT_BOX               9530
#define IDC_COPY_2IN1_BOX               9531
#define IDC_COPY_2SIDED_ORIGINAL_BOX    9532
#define IDC_COPY_2SIDED_COPY_BOX        9533
/* Only on an A3 model library's form: range-checked 0..20 and 5..20. */
#define IDC_COPY_A3_FIELD_A             1228
#define IDC_COPY_A3_FIELD_B             1155

/* Page 2338: Auto Print Report */
#define IDD_PAGE_REPORT                 2338
#define IDC_REPORT_JOURNAL_ON           1352
#define IDC_REPORT_JOURNAL_OFF          1353
#define IDC_REPORT_TX_ON                1354
#define IDC_REPORT_TX_ERROR             1355
#define IDC_REPORT_TX_OFF               1356
#define IDC_REPORT_RX_ON                1357
#define IDC_REPORT_RX_ERROR             1358
#define IDC_REPORT_RX_OFF               1359

/* Page 720: Transmission */
#define IDD_PAGE_TRANSMISSION           720
#define IDC_TX_SCAN_DENSITY             1111
#define IDC_TX_RESOLUTION               1112
#define IDC_TX_MEMORY_OFF               1113
#define IDC_TX_MEMORY_ON                1114
#define IDC_TX_PRINT_HEADER             1115
#define IDC_TX_RESEND_COUNT             1354
#define IDC_TX_RESEND_INTERVAL          1355
#define IDC_TX_AUTO_RESEND              1356

/* Page 721: Reception (time fields are hour : minute pairs) */
#define IDD_PAGE_RECEPTION              721
#define IDC_RX_RINGS                    1117
#define IDC_RX_RINGS_VALUE              1118
#define IDC_RX_FAX_DETECT               1147
#define IDC_RX_START_RINGING            1148
#define IDC_RX_ANSWER_DETECT            1149
#define IDC_RX_START_HOUR               1150
#define IDC_RX_RINGING                  1151
#define IDC_RX_START_MINUTE             1174
#define IDC_RX_END_HOUR                 1175
#define IDC_RX_END_MINUTE               1176
#define IDC_RX_TIMER_OFF                1177
#define IDC_RX_TIMER_ON                 1178
#define IDC_RX_REDUCE_ON                1179
#define IDC_RX_REDUCE_CUT               1180
#define IDC_RX_REDUCE_OFF               1181
#define IDC_RX_TYPE_IMMEDIATE           1182
#define IDC_RX_TYPE_MEMORY              1183
#define IDC_RX_MODE_AUTO                1184
#define IDC_RX_MODE_MANUAL              1185
#define IDC_RX_MODE_FAX_ONLY            1186
#define IDC_RX_MODE_AUTO_SWITCH         1187
#define IDC_RX_FORWARD_ON               1188
#define IDC_RX_FORWARD_AND_PRINT        1189
#define IDC_RX_FORWARD_OFF              1190
#define IDC_RX_PRINT_FOOTER             1191
#define IDC_RX_PASSWORD                 1269
#define IDC_RX_WHEN_UNDETECTED          1339
#define IDC_RX_TRAY_PRIORITY            1348
#define IDC_RX_CLOSED_NETWORK           2034
#define IDC_RX_PASSWORD_LABEL           9540
#define IDC_RX_START_LABEL              9541
#define IDC_RX_END_LABEL                9542

/* Dialog 145: Forwarding Destination (opened from the Reception page) */
#define IDD_FORWARDING                  145
#define IDC_FWD_TYPE_FAX                1236
#define IDC_FWD_TYPE_EMAIL              1237
#define IDC_FWD_DEST_FRAME              1137
#define IDC_FWD_NUMBER_LABEL            1043
#define IDC_FWD_FAX_NUMBER              1032
#define IDC_FWD_SUB                     1033
#define IDC_FWD_SID                     1034
#define IDC_FWD_EMAIL                   1045

/* Page 722: Line */
#define IDD_PAGE_LINE                   722
#define IDC_LINE_PREFIX                 1151
#define IDC_LINE_PUSH                   1192
#define IDC_LINE_DIAL_10PPS             1193
#define IDC_LINE_DIAL_20PPS             1194
#define IDC_LINE_PSTN                   1195
#define IDC_LINE_PABX                   1196

/* Page 723: SMTP */
#define IDD_PAGE_SMTP                   723
#define IDC_SMTP_SENDER_NAME            1031
#define IDC_SMTP_PASSWORD               1147
#define IDC_SMTP_USER                   1148
#define IDC_SMTP_EMAIL                  1201
#define IDC_SMTP_SERVER                 1202
#define IDC_SMTP_FIXED_TEXT             1203
#define IDC_SMTP_SUBJECT                1204
#define IDC_SMTP_AUTH_OFF               1360
#define IDC_SMTP_AUTH_ON                1361
#define IDC_SMTP_AUTH_POP               1362
#define IDC_SMTP_PORT                   2075
#define IDC_SMTP_TIMEOUT                2076
#define IDC_SMTP_TIMEOUT_VALUE          2077

/* Page 724: POP3 */
#define IDD_PAGE_POP3                   724
#define IDC_POP3_INTERVAL               1042
#define IDC_POP3_SERVER                 1152
#define IDC_POP3_USER                   1205
#define IDC_POP3_PASSWORD               1206
#define IDC_POP3_AUTO_RECEIVE           1208
#define IDC_POP3_ADMIN_EMAIL            1209
#define IDC_POP3_COVER_SHEET            1210
#define IDC_POP3_SAVE_ERROR             1213
#define IDC_POP3_PORT                   2075
#define IDC_POP3_TIMEOUT                2076
#define IDC_POP3_TIMEOUT_VALUE          2077
#define IDC_POP3_INTERVAL_LABEL         9560

/* Page 2335: Network (the four addresses are IP address controls) */
#define IDD_PAGE_NETWORK                2335
#define IDC_NET_DHCP                    1211
#define IDC_NET_SPECIFY                 1214
#define IDC_NET_IP_ADDRESS              1215
#define IDC_NET_SUBNET_MASK             1216
#define IDC_NET_GATEWAY                 1217
#define IDC_NET_DNS_INACTIVE            1218
#define IDC_NET_DNS_ACTIVE              1219
#define IDC_NET_DNS_ADDRESS             1220
#define IDC_NET_SPEED                   1348
#define IDC_NET_IP_ADDRESS_LABEL        9550
#define IDC_NET_SUBNET_MASK_LABEL       9551
#define IDC_NET_GATEWAY_LABEL           9552
#define IDC_NET_DNS_ADDRESS_LABEL       9553

/* Page 160: User Restriction (asks the current password) */
#define IDD_PAGE_USER_RESTRICTION       160
#define IDC_URPAGE_PASSWORD             1366
#define IDC_URPAGE_OK                   1368

/* Dialog 159: User Restriction (opened from its page) */
#define IDD_USER_RESTRICTION            159
#define IDC_UR_OFF                      1364
#define IDC_UR_ON                       1365
#define IDC_UR_NEW_PASSWORD             1366
#define IDC_UR_OK                       1368
#define IDC_UR_CANCEL                   1370

/* Page 727: Scanner */
#define IDD_PAGE_SCANNER                727
#define IDC_SCAN_MH                     1140
#define IDC_SCAN_MR                     1141
#define IDC_SCAN_MMR                    1142
#define IDC_SCAN_150DPI                 1221
#define IDC_SCAN_300DPI                 1222
#define IDC_SCAN_600DPI                 1223
#define IDC_SCAN_TIFF                   1224
#define IDC_SCAN_PDF                    1225
#define IDC_SCAN_JPEG                   1226
#define IDC_SCAN_DIVIDE_OFF             2501
#define IDC_SCAN_DIVIDE_SIZE            2502
#define IDC_SCAN_DIVIDE_PAGE            2503
#define IDC_SCAN_SIZE_KB                2504
#define IDC_SCAN_PAGE_KB                2505
#define IDC_SCAN_MAX_DIVISIONS          2509

/* Page 2337: LDAP */
#define IDD_PAGE_LDAP                   2337
#define IDC_LDAP_SERVER                 1031
#define IDC_LDAP_USER                   1148
#define IDC_LDAP_PASSWORD               1149
#define IDC_LDAP_PORT                   1150
#define IDC_LDAP_SEARCH_BASE            1151
#define IDC_LDAP_TIMEOUT                1346
#define IDC_LDAP_MAX_RESULTS            1347
#define IDC_LDAP_CONDITIONS             1348
#define IDC_LDAP_TIMEOUT_VALUE          1349
#define IDC_LDAP_MAX_RESULTS_VALUE      1350

/* Labels of the SMTP, Scanner and information pages that are enabled with their fields */
#define IDC_SMTP_USER_LABEL             9800
#define IDC_SMTP_PASSWORD_LABEL         9801
#define IDC_SCAN_SIZE_KB_UNIT           9802
#define IDC_SCAN_DIVISIONS_LABEL        9803
#define IDC_SCAN_DIVISIONS_RANGE        9804
#define IDC_SCAN_PAGE_KB_UNIT           9805

/* Strings: main window, lists and tooltips */
#define IDS_QUICK_DIAL_LIST     1
#define IDS_SPEED_DIAL_LIST     2
#define IDS_GROUP_LIST          3
#define IDS_APP_TITLE           4
#define IDS_STATUS_TITLE        10
#define IDS_TIP_DEVICE_SETTINGS 24      /* also the settings sheet's caption */
#define IDS_COL_NAME            26
#define IDS_COL_DESTINATION     27
#define IDS_COL_NO              28
#define IDS_COL_SUB             29
#define IDS_COL_SID             31
#define IDS_COL_SPEED           32
#define IDS_TIP_CONNECT         33
#define IDS_TIP_DISCONNECT      34
#define IDS_TIP_OPEN            35      /* also the Open dialog's title */
#define IDS_CONNECTION_ONLINE   39
#define IDS_CONNECTION_OFFLINE  40
#define IDS_COL_MEMBER          59
#define IDS_VERSION             172
#define IDS_TIP_UPLOAD          175
#define IDS_TIP_DOWNLOAD        176
#define IDS_DEFAULT_DOCUMENT    178
#define IDS_TIP_SAVE            179     /* also the Save dialog's title */
#define IDS_ABOUT_NAME          183
#define IDS_INDICATOR_CAPS      9200
#define IDS_INDICATOR_NUM       9201
#define IDS_INDICATOR_SCRL      9202
#define IDS_HELP_NOT_FOUND      9210
#define IDS_PROGRESS_DOWNLOAD   9211
#define IDS_PROGRESS_UPLOAD     9212
#define IDS_CAPTION_FORMAT      9213    /* program name, then the document title */
/* E-mail option columns and custom-scan texts: only an A3 build's table has them. */
#define IDS_COL_OPTION1         2091
#define IDS_COL_OPTION2         2092
#define IDS_COL_OPTION3         2093
#define IDS_COL_OPTION4         2094
#define IDS_CUSTOM_SCAN_OFF     6004
#define IDS_CUSTOM_SCAN_ON      6005
#define IDS_MODEL_PROFILE       5001

/* Strings: message boxes (captioned IDS_APP_TITLE, or IDS_WARNING for the dial questions) */
#define IDS_WARNING                     56
#define IDS_DEVICE_RW_FAILED            141
#define IDS_SAVE_CHANGES                3005
#define IDS_OPEN_USB_FAILED             9000
#define IDS_DEVICE_IN_USE               9001
#define IDS_CONNECTION_TIMED_OUT        9002
#define IDS_DEVICE_ERROR                9003
#define IDS_CONNECTION_RECONNECT        9004
#define IDS_POWER_CYCLE                 9005
#define IDS_POWER_CYCLE_NETWORK         9006
#define IDS_ASK_DOWNLOAD_OVERWRITE      9010
#define IDS_ASK_UPLOAD_OVERWRITE        9011
#define IDS_REQUIRED_FIELD              9030
#define IDS_PASSWORD_INCORRECT          9031
#define IDS_PASSWORD_INVALID            9032
#define IDS_NEED_USER_AND_PASSWORD      9033
#define IDS_NEED_FAX_NUMBER             42
#define IDS_ASK_OVERWRITE_QUICK_DIAL    57
#define IDS_ASK_OVERWRITE_GROUP         58
#define IDS_NO_MEMBERS                  138
#define IDS_ASK_DELETE                  171
#define IDS_NEED_EMAIL                  174
#define IDS_EMAIL_INVALID               180
#define IDS_ASK_OVERWRITE               184
#define IDS_NEED_GROUP_NAME             834
#define IDS_INVALID_SETTING             837
/* "Invalid value. Enter a value between %d and %d." under each id a range check may pass */
#define IDS_RANGE_ERROR                 43
#define IDS_RANGE_ERROR_44              44
#define IDS_RANGE_ERROR_45              45
#define IDS_RANGE_BATCH_HOUR            46
#define IDS_RANGE_BATCH_MINUTE          47
#define IDS_RANGE_ERROR_48              48
#define IDS_RANGE_ERROR_128             128
#define IDS_RANGE_ERROR_262             262

/* Strings: setting data file dialogs (titles are IDS_TIP_OPEN, IDS_TIP_SAVE, IDS_TITLE_SAVE_AS) */
#define IDS_TITLE_SAVE_AS               36
#define IDS_FILE_FILTER_NAME            177
#define IDS_FILE_FILTER_PATTERN         9020
#define IDS_FILE_DEFAULT_EXT            9021

/* Strings: dial entry and group dialogs, dial rows */
#define IDS_TITLE_QUICK_DIAL            5
#define IDS_LABEL_FAX_NUMBER            6
#define IDS_LABEL_EMAIL_ADDRESS         7
#define IDS_TITLE_COMBINATION_KEY       8
#define IDS_TITLE_SPEED_DIAL            41
#define IDS_FRAME_FAX                   50
#define IDS_FRAME_EMAIL                 51
#define IDS_PROGRAM_DIAL                52
#define IDS_TITLE_GROUP_DIAL            55
#define IDS_SCAN_SIZE_A4                2211
#define IDS_SCAN_SIZE_B4_JIS            2212
#define IDS_SCAN_SIZE_A3                2213
#define IDS_SCAN_SIZE_LETTER            2214
#define IDS_SCAN_SIZE_LEDGER            2215
#define IDS_SCAN_RES_DETAIL             2216
#define IDS_SCAN_RES_FINE               2217
#define IDS_SCAN_CODING_MH              2218
#define IDS_SCAN_CODING_MR              2219
#define IDS_SCAN_CODING_MMR             2220
#define IDS_SPEED_9600                  6001
#define IDS_SPEED_14400                 6002
#define IDS_SPEED_33600                 6003

/* Strings: device information dialogs */
#define IDS_INSTALLED                   139
#define IDS_NOT_INSTALLED               140
#define IDS_TRAY2_INSTALLED             170

/* Strings: printed reports */
#define IDS_PRINT_NAME_LABEL            155
#define IDS_PRINT_FAX_LABEL             157
#define IDS_PRINT_PAGE                  159
#define IDS_PRINT_COL_QUICK_NO          161
#define IDS_PRINT_COL_SPEED_NO          162
#define IDS_PRINT_COL_GROUP_NO          163
#define IDS_PRINT_COL_MEMBER_NO         164
#define IDS_PRINT_COL_MEMBER            165
#define IDS_PRINT_DOC_NAME              166

/* Strings: System page (auto reset times, units, languages, countries by list index) */
#define IDS_AUTO_RESET_30SEC            94
#define IDS_AUTO_RESET_1MIN             95
#define IDS_AUTO_RESET_2MIN             96
#define IDS_AUTO_RESET_3MIN             97
#define IDS_AUTO_RESET_4MIN             98
#define IDS_AUTO_RESET_5MIN             99
#define IDS_UNIT_MINUTES                101
#define IDS_UNIT_SECONDS                2201
#define IDS_LANG_ENGLISH                450
#define IDS_LANG_DANISH                 451
#define IDS_LANG_DUTCH                  452
#define IDS_LANG_FRENCH                 453
#define IDS_LANG_GERMAN                 454
#define IDS_LANG_ITALIAN                455
#define IDS_LANG_PORTUGUESE             456
#define IDS_LANG_SPANISH                457
#define IDS_LANG_SWEDISH                458
#define IDS_LANG_NORWEGIAN              459
#define IDS_LANG_FINNISH                460
#define IDS_LANG_POLISH                 461
#define IDS_LANG_HUNGARIAN              462
#define IDS_LANG_CZECH                  463
#define IDS_LANG_RUSSIAN                464
#define IDS_LANG_JAPANESE               466
#define IDS_COUNTRY_USA                 350
#define IDS_COUNTRY_UK                  351
#define IDS_COUNTRY_SWEDEN              352
#define IDS_COUNTRY_SWITZERLAND         353
#define IDS_COUNTRY_DENMARK             354
#define IDS_COUNTRY_NORWAY              355
#define IDS_COUNTRY_HOLLAND             356
#define IDS_COUNTRY_BELGIUM             357
#define IDS_COUNTRY_AUSTRALIA           358
#define IDS_COUNTRY_FINLAND             359
#define IDS_COUNTRY_NEW_ZEALAND         360
#define IDS_COUNTRY_ITALY               361
#define IDS_COUNTRY_SPAIN               362
#define IDS_COUNTRY_PORTUGAL            363
#define IDS_COUNTRY_HONG_KONG           364
#define IDS_COUNTRY_MALAYSIA            365
#define IDS_COUNTRY_HUNGARY             366
#define IDS_COUNTRY_SOUTH_AFRICA        367
#define IDS_COUNTRY_CHINA               368
#define IDS_COUNTRY_GERMANY             369
#define IDS_COUNTRY_FRANCE              370
#define IDS_COUNTRY_SINGAPORE           371
#define IDS_COUNTRY_CZECH               372
#define IDS_COUNTRY_SLOVAKIA            373
#define IDS_COUNTRY_CANADA              374
#define IDS_COUNTRY_POLAND              375
#define IDS_COUNTRY_TAIWAN              376
#define IDS_COUNTRY_JAPAN               377
#define IDS_COUNTRY_ARGENTINA           378
#define IDS_COUNTRY_BRAZIL              379
#define IDS_COUNTRY_CHILE               380
#define IDS_COUNTRY_COLOMBIA            381
#define IDS_COUNTRY_GREECE              382
#define IDS_COUNTRY_INDONESIA           383
#define IDS_COUNTRY_MEXICO              384
#define IDS_COUNTRY_PERU                385
#define IDS_COUNTRY_PHILIPPINES         386
#define IDS_COUNTRY_PUERTO_RICO         387
#define IDS_COUNTRY_RUSSIA              388
#define IDS_COUNTRY_SRI_LANKA           389
#define IDS_COUNTRY_THAILAND            390
#define IDS_COUNTRY_TURKEY              391
#define IDS_COUNTRY_VENEZUELA           392
#define IDS_COUNTRY_VIETNAM             393

/* Strings: Paper page (types by list index; sizes in the order of the size lists) */
#define IDS_PAPER_PLAIN                 214
#define IDS_PAPER_INKJET_PLAIN          215
#define IDS_PAPER_GLOSSY                216
#define IDS_PAPER_INKJET_TRANSPARENCY   217
#define IDS_PAPER_POSTCARD              218
#define IDS_PAPER_INKJET_POSTCARD       219
#define IDS_PAPER_ENVELOPE              220
#define IDS_PAPER_THICK                 221
#define IDS_SIZE_A4_PORTRAIT            9100
#define IDS_SIZE_A5_LANDSCAPE           9101
#define IDS_SIZE_A6_PORTRAIT            9102
#define IDS_SIZE_B5_JIS_PORTRAIT        9103
#define IDS_SIZE_LETTER_PORTRAIT        9104
#define IDS_SIZE_LEGAL_PORTRAIT         9105
#define IDS_SIZE_STATEMENT_LANDSCAPE    9106
#define IDS_SIZE_EXECUTIVE_PORTRAIT     9107
#define IDS_SIZE_8X13_PORTRAIT          9108
#define IDS_SIZE_8_5X13_PORTRAIT        9109
#define IDS_SIZE_8_25X13_PORTRAIT       9110
#define IDS_SIZE_16K_PORTRAIT           9111
#define IDS_SIZE_100X148_PORTRAIT       9112
#define IDS_SIZE_148X200_PORTRAIT       9113
#define IDS_SIZE_JENV3_PORTRAIT         9114
#define IDS_SIZE_JENV4_PORTRAIT         9115
#define IDS_SIZE_YOH4_PORTRAIT          9116
#define IDS_SIZE_COM10_PORTRAIT         9117
#define IDS_SIZE_MONARCH_PORTRAIT       9118
#define IDS_SIZE_C6_PORTRAIT            9119
#define IDS_SIZE_C5_PORTRAIT            9120
#define IDS_SIZE_DL_PORTRAIT            9121
#define IDS_SIZE_A5_PORTRAIT            9122
#define IDS_SIZE_B6_JIS_PORTRAIT        9123

/* Strings: Copier page (lists by index) */
#define IDS_TRAY_1                      85
#define IDS_TRAY_2                      86
#define IDS_TRAY_3                      87
#define IDS_TRAY_4                      88
#define IDS_TRAY_5                      89
#define IDS_BINDING_TOP_TO_TOP          267
#define IDS_BINDING_TOP_TO_BOTTOM       268
#define IDS_ORIENTATION_PORTRAIT        269
#define IDS_ORIENTATION_LANDSCAPE       270
#define IDS_OUTPUT_FIRST_TO_LAST        271
#define IDS_OUTPUT_LAST_TO_FIRST        272

/* Strings: Transmission, Reception, Network and LDAP lists */
#define IDS_TX_RES_STANDARD             2051
#define IDS_TX_RES_DETAIL               2052
#define IDS_TX_RES_FINE                 2053
#define IDS_TX_RES_PHOTO                2054
#define IDS_FAX_TRAY_1                  9130
#define IDS_FAX_TRAY_2                  9131
#define IDS_FAX_TRAY_BYPASS             9132
#define IDS_FAX_TRAY_AUTO               9133
#define IDS_ETHERNET_AUTO               257
#define IDS_ETHERNET_10_HALF            258
#define IDS_ETHERNET_10_FULL            259
#define IDS_ETHERNET_100_HALF           260
#define IDS_ETHERNET_100_FULL           261
#define IDS_LDAP_BEGINNING_WORD         6007
#define IDS_LDAP_INCLUDE_WORD           6008
#define IDS_LDAP_END_WORD               6009

/* Printing: the preview window and its command, the report and preview texts (dialog 154's
   ids are with the dialogs above) */
#define IDD_PRINT_PREVIEW               9600
#define IDC_PREVIEW_PRINT               9601
#define IDC_PREVIEW_PREVIOUS            9602
#define IDC_PREVIEW_NEXT                9603
#define IDC_PREVIEW_ZOOM                9604
#define IDC_PREVIEW_PAGE_TEXT           9605
#define IDC_PREVIEW_PAGE                9606
#define IDM_PRINT_PREVIEW               9610
#define IDS_PRINT_DATE_FORMAT           9400
#define IDS_PRINT_MEMBER_FORMAT         9401
#define IDS_PRINT_FAILED                9402
#define IDS_PRINT_PAGE_TOO_SMALL        9403
#define IDS_PREVIEW_PAGE                9404
#define IDS_PREVIEW_FIT_WIDTH           9405
#define IDS_PREVIEW_FIT_PAGE            9406
#define IDS_PREVIEW_NOTHING             9407
#define IDS_PREVIEW_NO_MEMORY           9408

/* Commands: dial directory export and import */
#define IDM_EXPORT_DIRECTORY            9650
#define IDM_IMPORT_DIRECTORY            9651

/* Strings: dial directory export and import (file dialog, messages) */
#define IDS_TITLE_EXPORT_DIRECTORY      9550
#define IDS_TITLE_IMPORT_DIRECTORY      9551
#define IDS_DIRECTORY_FILTER_CSV        9552
#define IDS_DIRECTORY_PATTERN_CSV       9553
#define IDS_DIRECTORY_FILTER_VCARD      9554
#define IDS_DIRECTORY_PATTERN_VCARD     9555
#define IDS_DIRECTORY_EXT_CSV           9556
#define IDS_DIRECTORY_EXT_VCARD         9557
#define IDS_EXPORT_FAILED               9558
#define IDS_IMPORT_UNREADABLE           9559
#define IDS_IMPORT_REJECTED             9560
#define IDS_IMPORT_LINE                 9561
#define IDS_IMPORT_MORE                 9562
#define IDS_VCARD_SKIP_LINE             9565
#define IDS_VCARD_NO_CARDS              9566

/* Strings: the problems an import reports, one a line of the file */
#define IDS_IMPORT_TOO_LARGE            9570
#define IDS_IMPORT_NOT_UTF8             9571
#define IDS_IMPORT_NO_HEADER            9572
#define IDS_IMPORT_UNKNOWN_COLUMN       9573
#define IDS_IMPORT_DOUBLE_COLUMN        9574
#define IDS_IMPORT_MISSING_COLUMN       9575
#define IDS_IMPORT_STRAY_QUOTE          9576
#define IDS_IMPORT_AFTER_QUOTE          9577
#define IDS_IMPORT_OPEN_QUOTE           9578
#define IDS_IMPORT_TOO_MANY_FIELDS      9579
#define IDS_IMPORT_FIELD_TOO_LONG       9580
#define IDS_IMPORT_TOO_MANY_ROWS        9581
#define IDS_IMPORT_BAD_LIST             9582
#define IDS_IMPORT_BAD_QUICK_NUMBER     9583
#define IDS_IMPORT_BAD_SPEED_NUMBER     9584
#define IDS_IMPORT_DUPLICATE            9585
#define IDS_IMPORT_BAD_KIND             9586
#define IDS_IMPORT_GROUP_ON_SPEED       9587
#define IDS_IMPORT_PROGRAM_KEPT         9588
#define IDS_IMPORT_PROGRAM_NEW          9589
#define IDS_IMPORT_ABSENT               9590
#define IDS_IMPORT_NOT_APPLICABLE       9591
#define IDS_IMPORT_NAME_CHAR            9592
#define IDS_IMPORT_NAME_LONG            9593
#define IDS_IMPORT_NAME_SPACES          9594
#define IDS_IMPORT_FAX_MISSING          9595
#define IDS_IMPORT_FAX_LONG             9596
#define IDS_IMPORT_FAX_CHAR             9597
#define IDS_IMPORT_FAX_NO_DIGIT         9598
#define IDS_IMPORT_FAX_PAUSE            9599
#define IDS_IMPORT_FAX_PLUS             9600
#define IDS_IMPORT_CHAIN_NO_PLUS        9601
#define IDS_IMPORT_CODE_LONG            9602
#define IDS_IMPORT_CODE_CHAR            9603
#define IDS_IMPORT_SID_WITHOUT_SUB      9604
#define IDS_IMPORT_EMAIL_MISSING        9605
#define IDS_IMPORT_EMAIL_LONG           9606
#define IDS_IMPORT_EMAIL_CHAR           9607
#define IDS_IMPORT_EMAIL_INVALID        9608
#define IDS_IMPORT_NO_BOARD             9609
#define IDS_IMPORT_BAD_VALUE            9610
#define IDS_IMPORT_BAD_DATE             9611
#define IDS_IMPORT_GROUP_NAME_MISSING   9612
#define IDS_IMPORT_NO_MEMBERS           9613
#define IDS_IMPORT_TOO_MANY_MEMBERS     9614
#define IDS_IMPORT_BAD_MEMBER           9615
#define IDS_IMPORT_MEMBER_EMPTY         9616
#define IDS_IMPORT_MEMBER_GROUP         9617
#define IDS_IMPORT_MEMBER_CHAIN         9618
#define IDS_IMPORT_MEMBER_PROGRAM       9619
#define IDS_IMPORT_MEMBER_SELF          9620
#define IDS_IMPORT_MEMBER_TWICE         9621
#define IDS_IMPORT_MEMBER_UNUSABLE      9622
#define IDS_VCARD_NO_DESTINATION        9623
#define IDS_VCARD_UNREADABLE            9626
#define IDS_VCARD_COMBINATION           9627

/* Address books: what the readers report */
#define IDS_BOOK_NOT_UTF16              10000
#define IDS_BOOK_NO_HEADER              10001
#define IDS_BOOK_TOO_MANY_CONTACTS      10002
#define IDS_BOOK_TOO_MANY_COLUMNS       10003
#define IDS_BOOK_NO_LDIF                10004

/* Added for the settings pages: labels the pages enable with their fields. */
#define IDC_SYS_AUTO_OFF_UNIT           9700
#define IDC_LINE_PREFIX_LABEL           9701

/* Added for the Paper, Copier, Transmission and Reception pages and their dialogs: labels
   enabled with their fields. */
#define IDC_TX_RESEND_COUNT_LABEL       9750
#define IDC_TX_RESEND_COUNT_UNIT        9751
#define IDC_TX_RESEND_INTERVAL_LABEL    9752
#define IDC_TX_RESEND_INTERVAL_UNIT     9753
#define IDC_RX_START_COLON              9754
#define IDC_RX_END_COLON                9755
#define IDC_RX_START_RINGING_LABEL      9756
#define IDC_RX_RINGING_LABEL            9757
#define IDC_RX_ANSWER_DETECT_LABEL      9758
#define IDC_RX_FAX_DETECT_LABEL         9759
#define IDC_FWD_SUB_LABEL               9760
#define IDC_FWD_SID_LABEL               9761

/* Added for the checked upload: the review of what an upload changes, the comparisons, the
   device history. */
#define IDS_CHANGE_ON                   9900
#define IDS_CHANGE_OFF                  9901
#define IDS_CHANGE_EMPTY                9902
#define IDS_CHANGE_ITEM                 9903
#define IDS_CHANGE_QUICK_MEMBERS        9904
#define IDS_CHANGE_SPEED_MEMBERS        9905
#define IDS_CHANGE_ABSENT               9906
#define IDS_PROGRESS_READING            9907
#define IDS_PROGRESS_VERIFYING          9908
#define IDS_REVIEW_UPLOAD               9909
#define IDS_REVIEW_UPLOAD_NONE          9910
#define IDS_REVIEW_DEVICE               9911
#define IDS_REVIEW_DEVICE_NONE          9912
#define IDS_REVIEW_FILE                 9913
#define IDS_REVIEW_FILE_NONE            9914
#define IDS_REVIEW_DEVICE_TITLE         9915
#define IDS_REVIEW_FILE_TITLE           9916
#define IDS_COL_WHERE                   9917
#define IDS_COL_SETTING                 9918
#define IDS_COL_ON_DEVICE               9919
#define IDS_COL_AFTER_UPLOAD            9920
#define IDS_COL_IN_FILE                 9921
#define IDS_COL_IN_MORAVEL              9922
#define IDS_UPLOAD_REFUSED              9923
#define IDS_REFUSED_LINE                9924
#define IDS_HISTORY_FAILED              9925
#define IDS_CHECK_PENDING               9926
#define IDS_CHECK_DROPPED               9927
#define IDS_CHECK_PASSED                9928
#define IDS_CLOSE                       9929
#define IDS_REFUSED_MORE                9930
#define IDD_CHANGES                     9940
#define IDC_CHANGES_TEXT                9941
#define IDC_CHANGES_LIST                9942
#define IDM_COMPARE_DEVICE              9950
#define IDM_COMPARE_FILE                9951
#define IDM_DEVICE_HISTORY              9952

/* MoravelCmd's texts */
#define IDS_CMD_USAGE                   9960
#define IDS_CMD_VERSION                 9961
#define IDS_CMD_DEVICE_MESSAGE          9962
#define IDS_CMD_FILE_UNREADABLE         9963
#define IDS_CMD_FILE_UNWRITABLE         9964
#define IDS_CMD_CHANGE_LINE             9965
#define IDS_CMD_SHOW_LINE               9966
#define IDS_CMD_IN_USE_BY_MORAVEL       9967
#define IDS_CMD_NO_DEVICE               9968
#define IDS_CMD_CONFIRM                 9969
#define IDS_CMD_YES                     9970
#define IDS_CMD_NO_CONSOLE              9971
#define IDS_CMD_NOT_UPLOADED            9972
#define IDS_CMD_HISTORY_FAILED          9973
#define IDS_CMD_HISTORY_KEPT            9974
#define IDS_CMD_REFUSED                 9975
#define IDS_CMD_SAME                    9976
#define IDS_CMD_NO_COMMAND              9977
#define IDS_CMD_BAD_COMMAND             9978
#define IDS_CMD_BAD_OPTION              9979
#define IDS_CMD_MISSING_VALUE           9980
#define IDS_CMD_BAD_DEVICE              9981
#define IDS_CMD_BAD_FILES               9982
#define IDS_CMD_CONFLICT                9983

/* Address books: the import plan, its preview and the export's separators */
#define IDS_ADDRESS_NAME_CUT            10030
#define IDS_ADDRESS_DUPLICATE           10031
#define IDS_ADDRESS_REPEATED            10032
#define IDS_ADDRESS_NO_ROOM             10033
#define IDS_ADDRESS_PLACE_SPEED         10034
#define IDS_ADDRESS_PLACE_QUICK         10035
#define IDS_ADDRESS_PLACE_LINE          10036
#define IDS_ADDRESS_ADDED               10037
#define IDS_ADDRESS_SKIPPED             10038
#define IDS_ADDRESS_FORMAT_OUTLOOK      10039
#define IDS_ADDRESS_FORMAT_THUNDERBIRD  10040
#define IDS_ADDRESS_FORMAT_GOOGLE       10041
#define IDS_ADDRESS_FORMAT_LDIF         10042
#define IDS_ADDRESS_FORMAT_VCARD        10043
#define IDS_ADDRESS_FORMAT_UNKNOWN      10044
#define IDS_ADDRESS_TITLES_ENGLISH      10045
#define IDS_ADDRESS_TITLES_GERMAN       10046
#define IDS_ADDRESS_TITLES_FRENCH       10047
#define IDS_ADDRESS_TITLES_SPANISH      10048
#define IDS_ADDRESS_COLUMN_NONE         10049
#define IDS_ADDRESS_COL_LINE            10050
#define IDS_ADDRESS_COL_NAME            10051
#define IDS_ADDRESS_COL_DESTINATION     10052
#define IDS_ADDRESS_COL_BECOMES         10053
#define IDS_ADDRESS_SKIP_ROW            10054
#define IDS_ADDRESS_COUNTS              10055
#define IDS_ADDRESS_OVERFLOW            10056
#define IDS_ADDRESS_NOTHING             10057
#define IDS_ADDRESS_ADD_NOTE            10058
#define IDS_DIRECTORY_FILTER_CSV_SEMICOLON 10059
#define IDS_DIRECTORY_FILTER_LDIF       10060
#define IDS_DIRECTORY_PATTERN_LDIF      10061
#define IDS_DIRECTORY_FILTER_BOOKS      10062
#define IDS_DIRECTORY_PATTERN_BOOKS     10063

#define IDD_IMPORT_PREVIEW              10100
#define IDC_IMPORT_FORMAT               10101
#define IDC_IMPORT_NAME_LABEL           10102
#define IDC_IMPORT_NAME_COLUMN          10103
#define IDC_IMPORT_FAX_LABEL            10104
#define IDC_IMPORT_FAX_COLUMN           10105
#define IDC_IMPORT_EMAIL_LABEL          10106
#define IDC_IMPORT_EMAIL_COLUMN         10107
#define IDC_IMPORT_LIST                 10108
#define IDC_IMPORT_COUNTS               10109
#define IDC_IMPORT_USE_QUICK            10110
#define IDC_IMPORT_TAKE_FIT             10111
#define IDC_IMPORT_COLUMNS_FRAME        10112

/* Names for screen readers */
#define IDS_NAME_TREE                   10200
#define IDS_NAME_DIAL_LIST              10201
#define IDS_NAME_MEMBER_LIST            10202
#define IDS_NAME_AUTO_RESET_TIME        10203
#define IDS_NAME_AUTO_OFF_MINUTES       10204
#define IDS_NAME_TRAY1_SIZE             10205
#define IDS_NAME_TRAY2_SIZE             10206
#define IDS_NAME_BYPASS_SIZE            10207
#define IDS_NAME_MANUAL_DENSITY         10208
#define IDS_NAME_BALANCE_RED            10209
#define IDS_NAME_BALANCE_GREEN          10210
#define IDS_NAME_BALANCE_BLUE           10211
#define IDS_NAME_RX_START_MINUTE        10212
#define IDS_NAME_RX_END_MINUTE          10213
#define IDS_NAME_POP3_INTERVAL          10214
#define IDS_NAME_SCAN_SIZE_KB           10215
#define IDS_NAME_IP_ADDRESS             10216
#define IDS_NAME_SUBNET_MASK            10217
#define IDS_NAME_GATEWAY                10218
#define IDS_NAME_DNS_ADDRESS            10219
#define IDS_NAME_GROUP_QUICK            10220
#define IDS_NAME_GROUP_MEMBERS          10221
#define IDS_NAME_GROUP_SPEED            10222
#define IDS_NAME_IMPORT_LIST            10223
#define IDS_NAME_CHANGES_LIST           10224
#define IDS_NAME_PREVIEW_PAGE           10225

/* clang-format on */

#endif
