# The commander's window-free sources, named once: this folder's library and the native
# sanitizer build (tests/native) both read the list.
set(commander_core_sources options.cpp command_line.cpp task_output.cpp log_text.cpp)
