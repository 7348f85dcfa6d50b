// tarnget.exe, the stand-in copier. It knows only what the commander expects of a copier: it is
// started with a command line, writes marked lines to its standard output and ends with an exit
// code. Two environment variables, inherited through the commander, let tests steer it:
//   TARNGET_RECORD=path  appends how it was started to that file (see AppendRecord);
//   TARNGET_SCRIPT=path  follows that script (script.h) instead of the demonstration session.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "script.h"
#include "stdout_writer.h"

// The runtime must hand over arguments such as "-r*" or "-y=*.html" as they were written, not
// expanded against the current directory.
extern "C" {
int _dowildcard = 0;
}

namespace {

void AppendItem(std::string& record, const char* bytes, std::size_t length) {
  record += std::to_string(length);
  record += ':';
  record.append(bytes, length);
  record += '\n';
}

// One record per start, written with a single append so that copiers started side by side do not
// mix their records: a line with the number of items, then the whole command line and each argv
// element, each as "<byte count>:<bytes>\n". The counts keep every byte exact, line ends included.
void AppendRecord(const char* path, int argc, char** argv) {
  std::string record = std::to_string(argc + 1) + "\n";
  const char* line = GetCommandLineA();
  AppendItem(record, line, std::strlen(line));
  for (int i = 0; i < argc; ++i) AppendItem(record, argv[i], std::strlen(argv[i]));
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
}

bool ReadWholeFile(const char* path, std::string& text) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return ok;
}

// What a person starting a task sees: a short, plausible session over about three seconds.
int Demonstrate(int argc, char** argv) {
  const char* url = argc > 1 ? argv[1] : "ftp://localhost/";
  const char* local = argc > 2 && argv[2][0] != '\0' ? argv[2] : ".";
  char line[600];
  std::snprintf(line, sizeof line, "@ Connecting to %.500s\n", url);
  WriteOut(line);
  Sleep(300);
  WriteOut("@ Connected\nS: 220 Service ready\nC: USER anonymous\nS: 331 Guest login ok, send your e-mail as password\n"
           "C: PASS ********\nS: 230 Guest login ok\n");
  Sleep(300);
  WriteOut("! Server does not report file sizes; progress is estimated\n");
  std::snprintf(line, sizeof line, "@ Transferring into %.500s\n", local);
  WriteOut(line);
  for (int percent = 0; percent <= 100; percent += 10) {
    std::snprintf(line, sizeof line, "~ %d%% done\n", percent);
    WriteOut(line);
    Sleep(250);
  }
  WriteOut("C: QUIT\nS: 221 Goodbye\n@ Transfer complete\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  char path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("TARNGET_RECORD", path, sizeof path);
  if (n > 0 && n < sizeof path) AppendRecord(path, argc, argv);

  n = GetEnvironmentVariableA("TARNGET_SCRIPT", path, sizeof path);
  if (n > 0 && n < sizeof path) {
    std::string script;
    if (!ReadWholeFile(path, script)) {
      WriteOut("* cannot read the script\n");
      return kScriptErrorExit;
    }
    return RunScript(script);
  }
  return Demonstrate(argc, argv);
}
