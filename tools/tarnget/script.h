// Scripted output for tests: what to write, when, and with which exit code. One command a line;
// blank lines and lines starting with # are ignored.
//   write "TEXT"        the bytes of TEXT, no line end added; escapes \n \r \t \0 \\ \" \xHH
//   sleep MS            pause
//   flood N [any|noends|lines] [SEED]
//                       N pseudo-random bytes: any byte (the default), any byte but CR and LF, or
//                       marked lines of random text ended by CR LF or LF (the last one may be cut)
//   rate BPS MS         marked lines, about BPS bytes a second for MS milliseconds, evenly paced
//   stdin               read standard input to its end, then write "@ stdin: N bytes" and a line end;
//                       a pipe still open after 2 s gives "* stdin: still open after 2000 ms, N bytes"
//   exit CODE           end here with CODE; a script that runs out ends with 0
// A malformed command writes "* script line N: ..." and ends with kScriptErrorExit.
#pragma once
#include <string>

const int kScriptErrorExit = 99;

// Runs the script and returns the exit code it chose.
int RunScript(const std::string& text);
