#include "copier_process.h"

#include <cstring>
#include <memory>
#include <new>

#include "str_util.h"

namespace {

void CloseIf(HANDLE& h) {
  if (h) ::CloseHandle(h);
  h = nullptr;
}

// Starts the copier with `input` and `output` as its standard handles and, through the
// start's handle list, as the only handles it inherits. Should the list not be set up (no
// memory for it), every inheritable handle of the process goes along; the commander's own
// pipe ends are never inheritable then either, and a copier's ends are closed here right
// after its start, so no copier holds another's pipe. Without the list, ends of the
// commander's own that could not be kept back (`ownEndsPrivate` false) would go along, so
// nothing starts.
bool SpawnCopier(char* commandLine, HANDLE input, HANDLE output, bool ownEndsPrivate, PROCESS_INFORMATION& pi) {
  STARTUPINFOEXA si{};
  si.StartupInfo.cb = sizeof si.StartupInfo;
  si.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  si.StartupInfo.hStdInput = input;
  si.StartupInfo.hStdOutput = output;
  si.StartupInfo.hStdError = output;
  DWORD flags = DETACHED_PROCESS;

  HANDLE inherit[2] = {input, output};
  SIZE_T size = 0;
  ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  const std::unique_ptr<BYTE[]> storage(size ? new (std::nothrow) BYTE[size] : nullptr);
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.get());
  bool initialised = attributes && ::InitializeProcThreadAttributeList(attributes, 1, 0, &size);
  if (initialised && ::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherit,
                                                 sizeof inherit, nullptr, nullptr)) {
    si.StartupInfo.cb = sizeof si;
    si.lpAttributeList = attributes;
    flags |= EXTENDED_STARTUPINFO_PRESENT;
  }

  const bool ok =
      (si.lpAttributeList || ownEndsPrivate) && ::CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, flags,
                                                                 nullptr, nullptr, &si.StartupInfo, &pi) != 0;
  if (initialised) ::DeleteProcThreadAttributeList(attributes);
  return ok;
}

}  // namespace

bool StartCopier(const char* commandLine, CopierHandles& started) {
  started = CopierHandles{};
  // CreateProcessA may write into its command line; the caller's bytes stay as they are.
  const std::unique_ptr<char[]> writable(dup_n(commandLine, std::strlen(commandLine)));
  if (!writable) return false;

  // Every end inheritable, as the copier needs its two; the commander's own two are made
  // non-inheritable at once. An inherited writing end of its input would keep the copier
  // from ever seeing end of file; an inherited reading end of another task's output would
  // be harmless but is no business of the copier.
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, inRead = nullptr, inWrite = nullptr;
  bool piped = ::CreatePipe(&outRead, &outWrite, &sa, kOutputPipeSize) && ::CreatePipe(&inRead, &inWrite, &sa, 0);
  const bool ownEndsPrivate = piped && ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0) &&
                              ::SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

  PROCESS_INFORMATION pi{};
  const bool ok = piped && SpawnCopier(writable.get(), inRead, outWrite, ownEndsPrivate, pi);
  // The copier holds its own ends now: its input is at end of file at once, and the output
  // pipe breaks once every writer has gone.
  CloseIf(inWrite);
  CloseIf(outWrite);
  CloseIf(inRead);
  if (!ok) {
    CloseIf(outRead);
    return false;
  }

  ::CloseHandle(pi.hThread);
  // Not a communications device: the call fails on a pipe, and the result does not matter.
  COMMTIMEOUTS timeouts{1, 0, 0, 0, 0};
  ::SetCommTimeouts(outRead, &timeouts);
  started.process = pi.hProcess;
  started.outputPipe = outRead;
  return true;
}
