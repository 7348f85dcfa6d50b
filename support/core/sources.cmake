# The window-free core's sources, named once: this folder's library and the native
# sanitizer build (tests/native) both read the list. The platform's case-insensitive
# comparison is added by each of them (nocase_win.cpp here, nocase_native.cpp there).
set(support_core_sources str_util.cpp url.cpp decimal.cpp)
