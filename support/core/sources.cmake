# The window-free core's sources, named once: this folder's library and the native
# sanitizer build (tests/native) both read the list. The platform's case-insensitive
# comparison and lead-byte table are added by each of them (nocase_win.cpp and dbcs_win.cpp
# here, their _native stand-ins there).
set(support_core_sources str_util.cpp url.cpp decimal.cpp)
