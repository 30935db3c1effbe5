// Resource and control numbers shared by quorlin.rc and the window's code.
#pragma once

#define IDI_QUORLIN 1
#define IDD_MAIN 100
#define IDD_SELECTFILE 101

// The main window. Count boxes are IDC_COUNTS + index, comparison boxes IDC_NETDATA + index.
#define IDC_FNME 1001
#define IDC_STYLEFILE 1002
#define IDC_NETFNME 1003
#define IDC_NETLISTA 1004
#define IDC_NETLISTB 1005
#define IDC_EXCLUSION 1010
#define IDC_GRAPHASTRACK 1011
#define IDC_XPORT 1012
#define IDC_REPLICATE 1013
#define IDC_WRITESTYLE 1014
#define IDC_GUARDGAP 1015
#define IDC_XPATTERN 1016
#define IDC_XSDF 1017
#define IDC_XDIFF 1018
#define IDC_TAGPADS 1019
#define IDC_TAGVIAS 1020
#define IDC_COMMANDS 1030
#define IDC_PREVIEW 1034
#define IDC_HELPBUTTON 1035
#define IDC_SPINNER 1036
#define IDC_ERRORBOX 1037
#define IDC_REPORTBOX 1038
#define IDC_NOTES 1039
#define IDC_COUNTS 1100
#define IDC_NETDATA 1200

// The file selection dialog.
#define IDC_LABEL1 2001
#define IDC_LABEL2 2002
#define IDC_LABEL3 2003
#define IDC_FILEMASK 2004
#define IDC_FILELIST 2005
#define IDC_DIRPATH 2006
#define IDC_DIRLIST 2007
#define IDC_DRIVELIST 2008
#define IDC_FILENAME 2009
#define IDC_FILECOUNT 2010
