// Where the programs let the system look for DLLs loaded after start-up.
#pragma once

// Limits every later DLL load of the process, the system's own included, to the system
// folder, so that a DLL of a system name lying beside the program (a Downloads folder)
// is never taken. Call first thing at start-up.
void restrict_dll_search();
