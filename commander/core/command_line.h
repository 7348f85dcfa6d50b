// The copier's command line: which arguments a task passes, in which order, and how they are
// written so that the copier's C runtime splits them back into exactly those arguments.
#pragma once
#include "chain.h"
#include "options.h"

// The program the commander starts, by its bare name.
extern const char kCopierProgram[];

// Appends the task's arguments to `args` as new[] texts: program name, URL, local path, then the
// switches that the check boxes and the option set call for (the option group of `protocol`: 0 FTP,
// 1 HTTP, 2 NNTP; any other number adds no group). Nothing is trimmed here. Returns 0, or -1 when
// memory runs out; `args` then holds what was made so far, for the caller to clear_delete.
int BuildArguments(const char* url, const char* localPath, int protocol, bool useTarngetConfig, bool useOptions,
                   const TaskOptions& options, chain<char>& args);

// New[] piece for one argument as it must stand in a command line, followed by one blank. An argument
// without blank, tab or double quote stands as it is; any other, and the empty one, is enclosed in
// double quotes with its quotes and the backslashes before them escaped; backslashes are counted by
// characters of the system's ANSI code page. Null when memory runs out.
char* QuoteArgument(const char* arg);

// Trims blanks, tabs, CRs and LFs from both ends of every entry of `args` in place, then joins their
// quoted pieces into a new[] command line. Null when memory runs out.
char* JoinArguments(chain<char>& args);

// The whole composition: BuildArguments, then JoinArguments. New[] command line, or null when
// memory runs out.
char* ComposeCommandLine(const char* url, const char* localPath, int protocol, bool useTarngetConfig,
                         bool useOptions, const TaskOptions& options);

// Splits a command line into new[] arguments appended to `args`, as the Windows C runtime builds
// argv: blanks and tabs separate; a double quote toggles quoting; 2n backslashes before a quote give
// n backslashes and the quote toggles, 2n+1 give n backslashes and a literal quote; other backslashes
// are literal; inside quotes a doubled quote is a literal quote. The first argument (the program)
// follows the runtime's simpler rule: quotes toggle and are dropped, backslashes are literal, and it
// ends at a blank or tab outside quotes; it is always there, if empty. Returns 0, or -1 when memory
// runs out. A double-byte character of the system's ANSI code page is read whole, as the runtime
// reads it, so its trail byte is never a backslash or a quote.
int SplitCommandLine(const char* line, chain<char>& args);
