// The start of Ravelmend's thread: OLE for the thread and the program's own
// folder as the current directory, with OLE ended again at the close.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "repair/win32/program_start_win32.h"

namespace raz {
namespace {

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  const DWORD n = GetCurrentDirectoryA(MAX_PATH, path);
  std::string dir(path, n < MAX_PATH ? n : 0);
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

TEST(RepairProgramStart, InitialisesOleForTheThreadAndEntersTheProgramFolder) {
  char module[MAX_PATH] = {};
  const std::string program(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
  const std::string program_folder = program.substr(0, program.rfind('\\') + 1);
  const std::string saved = CurrentDirectory();
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  ASSERT_TRUE(SetCurrentDirectoryA(temp));

  // A thread of its own, so no other test's OLE state counts.
  HRESULT again = E_FAIL;
  HRESULT after = E_FAIL;
  std::string folder;
  std::thread([&] {
    {
      const ProgramStart start;
      folder = CurrentDirectory();
      again = OleInitialize(nullptr);  // S_FALSE: OLE already runs on this thread
      if (SUCCEEDED(again)) OleUninitialize();
    }
    // Ended at the close: the thread may join the multithreaded apartment now.
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(after)) CoUninitialize();
  }).join();
  SetCurrentDirectoryA(saved.c_str());

  EXPECT_EQ(again, S_FALSE);
  EXPECT_EQ(after, S_OK);
  EXPECT_EQ(folder, program_folder);
}

}  // namespace
}  // namespace raz
