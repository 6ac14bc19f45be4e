// Resource, command and control ids shared by EchoSentinel.rc and the code.
// Plain #defines so that the resource compiler can read this header too.
#pragma once

// Menus, accelerators, icon, cursor, bitmaps
#define IDR_MAINMENU            102
#define IDR_ACCELERATORS        103
#define IDR_CONTEXTMENU         104
#define IDI_APPICON             101
#define IDC_HANDCURSOR          103
#define IDB_TOOLBAR             104
#define IDB_ROWIMAGES           110
#define IDB_SORTASCENDING       133
#define IDB_SORTDESCENDING      134
// The same pictures drawn at 20, 24 and 32 pixels, for 120, 144 and 192 DPI and what lies near
#define IDB_TOOLBAR20           150
#define IDB_TOOLBAR24           151
#define IDB_TOOLBAR32           152
#define IDB_ROWIMAGES20         153
#define IDB_ROWIMAGES24         154
#define IDB_ROWIMAGES32         155
#define IDB_SORTASCENDING20     156
#define IDB_SORTASCENDING24     157
#define IDB_SORTASCENDING32     158
#define IDB_SORTDESCENDING20    159
#define IDB_SORTDESCENDING24    160
#define IDB_SORTDESCENDING32    161
// Tray icons: nothing known yet, every known row up, some down, all down
#define IDI_TRAYUNKNOWN         140
#define IDI_TRAYUP              141
#define IDI_TRAYSOMEDOWN        142
#define IDI_TRAYALLDOWN         143

// Dialogs
#define IDD_PROPERTIES          105
#define IDD_EXCEPTION           107
#define IDD_PINGOPTIONS         109
#define IDD_ABOUT               112
#define IDD_COLUMNSETTINGS      1096

// Commands
#define IDM_SAVESELECTED        40001
#define IDM_EXIT                40002
#define IDM_ABOUT               40003
#define IDM_REFRESH             40004
#define IDM_SHOWGRIDLINES       40005
#define IDM_HTMLREPORTALL       40006
#define IDM_SELECTALL           40007
#define IDM_COPYSELECTED        40008
#define IDM_PROPERTIES          40009
#define IDM_HTMLREPORTSELECTED  40010
#define IDM_CHOOSECOLUMNS       40011
#define IDM_AUTOSIZECOLUMNS     40012
#define IDM_FIND                40014
#define IDM_DESELECTALL         40015
#define IDM_SHOWTOOLTIPS        40022
#define IDM_PINGOPTIONS         40023
#define IDM_STOPPING            40024
#define IDM_MARKFAILED          40025
#define IDM_ALWAYSONTOP         40026
#define IDM_STARTPING           40027
#define IDM_LOADADDRESSFILE     40028
#define IDM_RESET               40029
#define IDM_STATISTICSCOLUMNS   40030
#define IDM_HISTORYGRAPH        40031
#define IDM_NOTIFYONCHANGE      40032
#define IDM_SOUNDONCHANGE       40033
#define IDM_FLASHWHENDOWN       40034
#define IDM_MINIMIZETOTRAY      40035
#define IDM_LOGSTATECHANGES     40036
#define IDM_THEMESYSTEM         40037
#define IDM_THEMELIGHT          40038
#define IDM_THEMEDARK           40039
// View -> Sort By: IDM_SORTBYBASE + column index, one command per column
#define IDM_SORTBYBASE          40100

// String table
#define IDS_ITEMCOUNT           4
#define IDS_SELECTEDCOUNT       5
#define IDS_HTMLCREDIT          6
#define IDS_SAVEDIALOGTITLE     7
#define IDS_PINGLISTTITLE       8
#define IDS_OPENDIALOGTITLE     9
#define IDS_LOADINGPROGRESS     14
#define IDS_HOSTDOWN            20
#define IDS_HOSTUP              21
#define IDS_HOSTSDOWN           22
#define IDS_HOSTDOWNONE         23
#define IDS_HOSTSUP             24
#define IDS_HOSTUPONE           25
#define IDS_ANDUP               26
#define IDS_TRAYTIP             27
#define IDS_LOGFAILED           28
// The history graph: its caption, the text without rows, the labels of the 1, 10, 100 and 1,000 ms lines
#define IDS_GRAPHTITLE          30
#define IDS_GRAPHNOROWS         31
#define IDS_GRAPHGRIDBASE       32
#define IDS_FILTER_TEXT         501
#define IDS_FILTER_TABDELIMITED 502
#define IDS_FILTER_TABULAR      503
#define IDS_FILTER_HTMLHORZ     504
#define IDS_FILTER_HTMLVERT     505
#define IDS_FILTER_XML          506
#define IDS_FILTER_COMMA        507
#define IDS_FILTER_JSON         508
#define IDS_STATUSBASE          600
#define IDS_OPENFILTER_TEXT     701
#define IDS_OPENFILTER_ALL      702
#define IDS_COLUMNTITLEBASE     1001

// Main window children
#define IDC_STATUSBAR           257
#define IDC_TOOLBAR             258
#define IDC_LISTVIEW            259

// Properties dialog (105)
#define IDC_PROP_VALUETEMPLATE  1000
#define IDC_PROP_LABELTEMPLATE  1001

// Exception dialog (107)
#define IDC_EXC_COPY            3
#define IDC_EXC_REPORT          1002
#define IDC_EXC_HEADLINE        1003
#define IDC_EXC_ADVICE          1004

// Ping Options dialog (109)
#define IDC_OPT_ADDRESSES       1005
#define IDC_OPT_ADDRESSESLABEL  1006
#define IDC_OPT_TIMEOUTLABEL    1007
#define IDC_OPT_TIMEOUT         1008
#define IDC_OPT_PINGEVERY       1009
#define IDC_OPT_SECONDS         1010
#define IDC_OPT_SECONDSLABEL    1011
#define IDC_OPT_REMEMBER        1012
#define IDC_OPT_IPHOSTDESC      1013
#define IDC_OPT_DOWNAFTERLABEL  1014
#define IDC_OPT_DOWNAFTER       1015
#define IDC_OPT_UPAFTERLABEL    1016
#define IDC_OPT_UPAFTER         1017

// About dialog (112)
#define IDC_ABOUT_NAME          1002
#define IDC_ABOUT_LINK          1004
#define IDC_ABOUT_TRANSLATION   1005
#define IDC_ABOUT_TRANSLATOR    1006

// Column settings dialog (1096)
#define IDC_COL_HINT            1000
#define IDC_COL_LIST            1001
#define IDC_COL_WIDTHLABEL      1002
#define IDC_COL_MOVEUP          1003
#define IDC_COL_MOVEDOWN        1004
#define IDC_COL_WIDTH           1005
#define IDC_COL_SHOW            1006
#define IDC_COL_HIDE            1007
#define IDC_COL_DEFAULT         1008

// Private window messages of the main window (WM_USER + n)
#define UM_UPDATESTATUS         (0x0400 + 2)
#define UM_STARTUP              (0x0400 + 25)
#define UM_RESTOREFOCUS         (0x0400 + 28)
#define UM_TRAYICON             (0x0400 + 30)
