// Files shared by the tests and the stand-in copier: scripts written for it, and what it
// records of each start (TARNGET_RECORD).
#pragma once
#include <string>
#include <vector>

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
// Per start, the stand-in's whole command line followed by its argv.
std::vector<std::vector<std::string>> ReadCopierRecords(const std::string& path);
