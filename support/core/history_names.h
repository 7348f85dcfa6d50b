// Registry names of the history lists that both programs keep in the same form: each of
// the copier's string settings has one list under this name in the commander's settings
// key (its option lists) and in the editor's.
#pragma once

inline constexpr char kLogPathHistory[] = "Tarnget log path";
inline constexpr char kWorkDirectoryHistory[] = "Tarnget work directory";
inline constexpr char kDirListNameHistory[] = "Tarnget dir list name";
inline constexpr char kFtpProxyHistory[] = "Tarnget FTP proxy server";
inline constexpr char kDefaultHtmlHistory[] = "Tarnget default HTML file name";
inline constexpr char kHttpProxyHistory[] = "Tarnget HTTP proxy server";
inline constexpr char kMsgidDirectoryHistory[] = "Tarnget MSGID directory";
inline constexpr char kFileListHistory[] = "Tarnget NNTP file list name";
