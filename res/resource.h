/* Resource ids shared by the resource script and the helper's code. */
#ifndef OSTIK_RESOURCE_H
#define OSTIK_RESOURCE_H

/* File */
#define IDM_NEW             100
#define IDM_OPEN            101
#define IDM_SAVE            102
#define IDM_SAVEAS          103
#define IDM_PRINT           104
#define IDM_PRINTSETUP      105
#define IDM_EXIT            106

/* Edit */
#define IDM_UNDO            200
#define IDM_CUT             201
#define IDM_COPY            202
#define IDM_PASTE           203
#define IDM_LINK            204
#define IDM_LINKS           205

/* Help */
#define IDM_HELPCONTENTS    300
#define IDM_HELPSEARCH      301
#define IDM_HELPHELP        302
#define IDM_ABOUT           303
#define IDM_HELPTOPICS      304

/* Misc */
#define IDM_TRIGGERVIDEO    1000
#define IDM_TRIGGERMONITOR  1001
#define IDM_FRAMERATE       1002
#define IDM_EVENTS          1003
#define IDM_LURK            1004

/* About box controls; their template texts name the version values they show */
#define IDC_COMPANYNAME     400
#define IDC_FILEDESCRIPTION 401
#define IDC_PRODUCTVERSION  402
#define IDC_LEGALCOPYRIGHT  403
#define IDC_OSVERSION       404
#define IDC_LEGALTRADEMARKS 405
#define IDC_RUNNINGON       406

/* Strings */
#define IDS_APP_TITLE       500
#define IDS_VER_PREFIX      502
#define IDS_VER_ERROR       503
#define IDS_NO_HELP         504

#endif
