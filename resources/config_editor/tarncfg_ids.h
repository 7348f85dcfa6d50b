/* Resource and control ids of the configuration editor, shared by its resource script
   and its code. Control ids repeat between dialogs: each name says its dialog. */
#ifndef TARNCFG_IDS_H
#define TARNCFG_IDS_H

#define IDI_TARNCFG 1
#define IDB_ABOUT 9

#define IDD_CONFIG_MAIN 1
#define IDD_PAGE_COMMON 2
#define IDD_PAGE_FTP 3
#define IDD_PAGE_HTTP 4
#define IDD_PAGE_NNTP 5
#define IDD_ABOUT 6
#define IDC_ABOUT_PICTURE 300

/* Main window. The Personal button is IDOK, so that Enter opens it. */
#define IDC_MAIN_PERSONAL 1
#define IDC_MAIN_GLOBAL 113
#define IDC_MAIN_PERSONAL_TO_GLOBAL 103
#define IDC_MAIN_GLOBAL_TO_PERSONAL 101
#define IDC_MAIN_RESET_PERSONAL 102
#define IDC_MAIN_RESET_GLOBAL 104
#define IDC_MAIN_ABOUT 111

/* Common Options page. The "1st filename" pair is hidden and disabled. */
#define IDC_COMMON_CREATE_DIR 114
#define IDC_COMMON_RECURSIVE 116
#define IDC_COMMON_OVERWRITE 115
#define IDC_COMMON_USE_FIRST_NAME 109
#define IDC_COMMON_FIRST_NAME 102
#define IDC_COMMON_USE_WORK_DIR 101
#define IDC_COMMON_WORK_DIR 113
#define IDC_COMMON_BROWSE_WORK_DIR 112
#define IDC_COMMON_USE_LOG 103
#define IDC_COMMON_LOG 106
#define IDC_COMMON_BROWSE_LOG 107
#define IDC_COMMON_RETRIES 111
#define IDC_COMMON_TALK 119
#define IDC_COMMON_GAUGE 118

/* FTP Options page. */
#define IDC_FTP_USE_DIR_LIST 102
#define IDC_FTP_DIR_LIST 106
#define IDC_FTP_ERASE 107
#define IDC_FTP_UNIX_LINKS 108
#define IDC_FTP_PASV 103
#define IDC_FTP_USE_PROXY 101
#define IDC_FTP_PROXY 109

/* HTTP Options page. */
#define IDC_HTTP_SAME_SITE 106
#define IDC_HTTP_NON_HTML 107
#define IDC_HTTP_RELOCATE 108
#define IDC_HTTP_USE_DEFAULT_HTML 102
#define IDC_HTTP_DEFAULT_HTML 110
#define IDC_HTTP_USE_PROXY 101
#define IDC_HTTP_PROXY 1013

/* NNTP Options page. */
#define IDC_NNTP_DECODE 108
#define IDC_NNTP_MIN_ROWS 101
#define IDC_NNTP_USE_MSGID_DIR 104
#define IDC_NNTP_MSGID_DIR 103
#define IDC_NNTP_BROWSE_MSGID_DIR 106
#define IDC_NNTP_USE_FILE_LIST 105
#define IDC_NNTP_FILE_LIST 102

#endif
