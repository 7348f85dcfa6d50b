// Changing the current directory with a drive letter, against the real platform.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../common/code_page.h"
#include "change_dir.h"

namespace {

std::string Current() {
  char dir[MAX_PATH];
  const DWORD n = ::GetCurrentDirectoryA(sizeof dir, dir);
  return n && n < sizeof dir ? std::string(dir, n) : std::string();
}

std::string WindowsDir() {
  char dir[MAX_PATH];
  const UINT n = ::GetWindowsDirectoryA(dir, sizeof dir);
  return n && n < sizeof dir ? std::string(dir, n) : std::string();
}

class ChangeDir : public testing::Test {
 protected:
  void SetUp() override { start = Current(); }
  void TearDown() override { ::SetCurrentDirectoryA(start.c_str()); }
  std::string start;
};

TEST_F(ChangeDir, PathWithDriveBecomesCurrent) {
  const std::string windows = WindowsDir();
  ASSERT_FALSE(windows.empty());
  EXPECT_EQ(0, change_dir(windows.c_str()));
  EXPECT_EQ(0, lstrcmpiA(windows.c_str(), Current().c_str())) << "got " << Current();
}

TEST_F(ChangeDir, MissingPathFailsAndLeavesTheDirectoryAsItWas) {
  const std::string windows = WindowsDir();
  ASSERT_EQ(0, change_dir(windows.c_str()));
  const std::string missing = windows.substr(0, 2) + "\\no such directory here\\x";
  EXPECT_EQ(-1, change_dir(missing.c_str()));
  EXPECT_EQ(0, lstrcmpiA(windows.c_str(), Current().c_str())) << "got " << Current();
  EXPECT_EQ(-1, change_dir("no such relative directory"));
  EXPECT_EQ(0, lstrcmpiA(windows.c_str(), Current().c_str())) << "got " << Current();
}

TEST_F(ChangeDir, ProgramDirectoryIsTheFolderOfTheRunningProgram) {
  char path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_TRUE(n > 0 && n < sizeof path);
  std::string folder(path, n);
  folder.erase(folder.find_last_of('\\'));
  ASSERT_TRUE(::SetCurrentDirectoryA(WindowsDir().c_str()));
  change_to_program_dir();
  EXPECT_EQ(0, lstrcmpiA(folder.c_str(), Current().c_str())) << "expected " << folder << ", got " << Current();
}

// A program at <temp>\<folder>\<program> starts in that folder, not one higher or lower.
void ExpectStartInFolder(const char* name, const char* program) {
  char temp[MAX_PATH];
  const DWORD n = ::GetTempPathA(sizeof temp, temp);
  ASSERT_TRUE(n > 0 && n < sizeof temp);
  const std::string folder = std::string(temp, n) + name;
  ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  std::string path = folder + "\\" + program;
  ASSERT_TRUE(::SetCurrentDirectoryA(WindowsDir().c_str()));
  EXPECT_EQ(0, change_to_folder_of(&path[0]));
  EXPECT_EQ(0, lstrcmpiA(folder.c_str(), Current().c_str())) << "expected " << folder << ", got " << Current();
  ::SetCurrentDirectoryA(WindowsDir().c_str());
  ::RemoveDirectoryA(folder.c_str());
}

// On code page 1252 "é" before the separator is a letter, not half of a character.
TEST_F(ChangeDir, ProgramInAFolderEndingInAnAccentedLetterStartsThere) {
  ON_CODE_PAGE(1252);
  ExpectStartInFolder("tarn start caf\xE9", "tarncmd.exe");
}

// On Big5 the trail byte 0x5C of a program's name is no separator. (The name is the
// program's, not the folder's: Wine's file system here holds only names of its own locale.)
TEST_F(ChangeDir, ProgramWhoseNameEndsInABig5TrailBackslashStartsInItsFolder) {
  ON_CODE_PAGE(950);
  ExpectStartInFolder("tarn start", "tarncmd \xB3\x5C");  // 許
}

// The directory the process remembers for a drive may have gone since; a full path on
// that drive is still reachable.
TEST_F(ChangeDir, AGoneDirectoryRememberedForTheDriveDoesNotStopAFullPath) {
  const std::string windows = WindowsDir();
  ASSERT_GE(windows.size(), 3u);
  const std::string drive = windows.substr(0, 2);
  ASSERT_TRUE(::SetCurrentDirectoryA(start.c_str()));
  // Leave the drive so that "X:" alone goes by the remembered directory.
  const bool otherDrive = lstrcmpiA(drive.c_str(), start.substr(0, 2).c_str()) != 0;
  if (!otherDrive) {
    char temp[MAX_PATH];
    const DWORD n = ::GetTempPathA(sizeof temp, temp);
    if (n == 0 || n >= sizeof temp || lstrcmpiA(std::string(temp, 2).c_str(), drive.c_str()) == 0)
      GTEST_SKIP() << "no second drive to stand on";
    ASSERT_TRUE(::SetCurrentDirectoryA(temp));
  }
  const std::string remembered = "=" + drive;
  ASSERT_TRUE(::SetEnvironmentVariableA(remembered.c_str(), (drive + "\\gone since").c_str()));
  EXPECT_EQ(0, change_dir(windows.c_str()));
  EXPECT_EQ(0, lstrcmpiA(windows.c_str(), Current().c_str())) << "got " << Current();
  ::SetEnvironmentVariableA(remembered.c_str(), nullptr);
}

}  // namespace
