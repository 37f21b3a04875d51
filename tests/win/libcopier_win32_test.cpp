// The copier's Win32 layer in process: file facts from the real file system,
// the install value read, system texts, start-up resources, and the replace
// window built from its layout.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "common/win32/ui.h"
#include "common/win32/unique_handle.h"
#include "libcopier/copy_request.h"
#include "libcopier/replace_layout.h"
#include "libcopier/win32/app_resources.h"
#include "libcopier/win32/copy_with_retry.h"
#include "libcopier/win32/install_value.h"
#include "libcopier/win32/main_window.h"
#include "libcopier/win32/path_facts.h"
#include "libcopier/win32/program_state.h"
#include "libcopier/win32/replace_controls.h"
#include "shared/libcopier_path_cases.h"
#include "win/driver/driver.h"
#include "win/driver/scratch.h"

namespace raz {
namespace {

FileFacts Fill(const std::string& path) {
  FileFacts facts;
  FillFileFacts(path, facts, Win32PathFacts());
  return facts;
}

TEST(LibcopierWin32FileFacts, AbsolutePathsNeedNotExist) {
  for (const LibcopierPathCase& c : kLibcopierPathCases) {
    ExpectFactsOf(c, Fill(c.path));
  }
}

TEST(LibcopierWin32FileFacts, RelativePathsResolveAgainstTheCurrentDirectory) {
  test::ScratchDir dir("ferry_rel");
  char old_dir[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, old_dir);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  const FileFacts facts = Fill("lib\\a.fne");
  SetCurrentDirectoryA(old_dir);
  EXPECT_EQ(facts.full_path, dir / "lib\\a.fne");
  EXPECT_EQ(facts.name, "a.fne");
}

TEST(LibcopierWin32FileFacts, FullPathOver254BytesBecomesBlanks) {
  const std::string at_limit = "C:\\" + std::string(247, 'a') + ".fne";  // 254 bytes
  ASSERT_EQ(at_limit.size(), 254u);
  EXPECT_EQ(Fill(at_limit).full_path, at_limit);

  const FileFacts facts = Fill("C:\\" + std::string(248, 'a') + ".fne");
  EXPECT_EQ(facts.full_path, std::string(256, ' '));
  EXPECT_EQ(facts.folder, "");
  EXPECT_EQ(facts.name, std::string(256, ' '));
  EXPECT_EQ(facts.extension, "");
  EXPECT_EQ(facts.size_text, "-1 B");
}

TEST(LibcopierWin32FileFacts, SizesOfRealFiles) {
  test::ScratchDir dir("ferry_size");
  ASSERT_TRUE(dir.WriteFile("empty.fne", ""));
  ASSERT_TRUE(dir.WriteFile("one.fne", std::string(1536, 'x')));
  ASSERT_TRUE(dir.MakeDir("folder.fne"));
  const Win32PathFacts fs;
  EXPECT_EQ(fs.QueryFileSize(dir / "one.fne"), 1536);
  EXPECT_EQ(fs.QueryFileSize(dir / "missing.fne"), -1);
  EXPECT_EQ(Fill(dir / "empty.fne").size_text, "0 B");
  EXPECT_EQ(Fill(dir / "one.fne").size_text, "1.5 KB");
  EXPECT_EQ(Fill(dir / "folder.fne").size_text, "-1 B");
}

class LibcopierInstallValue : public ::testing::Test {
 protected:
  test::SavedRegistryValue saved{HKEY_CURRENT_USER, kInstallKey, kInstallValueName};
};

TEST_F(LibcopierInstallValue, TextValuesAreTakenAsStored) {
  ASSERT_TRUE(saved.SetText("C:\\E\\lib\\"));
  EXPECT_EQ(ReadInstallValue(), "C:\\E\\lib\\");

  SetEnvironmentVariableA("RAZ_FERRY_VAR", "C:\\E");
  ASSERT_TRUE(saved.Set(REG_EXPAND_SZ, std::string("%RAZ_FERRY_VAR%\\lib\\") + '\0'));
  EXPECT_EQ(ReadInstallValue(), "%RAZ_FERRY_VAR%\\lib\\");

  // Data without a NUL is taken whole; data with one is cut there.
  ASSERT_TRUE(saved.Set(REG_SZ, "C:\\X\\lib\\"));
  EXPECT_EQ(ReadInstallValue(), "C:\\X\\lib\\");
  ASSERT_TRUE(saved.Set(REG_SZ, std::string("C:\\Y\\lib\\\0tail", 14)));
  EXPECT_EQ(ReadInstallValue(), "C:\\Y\\lib\\");
}

TEST_F(LibcopierInstallValue, LongValuesAreReadWhole) {
  const std::string long_value = "C:\\" + std::string(2000, 'd') + "\\lib\\";
  ASSERT_TRUE(saved.SetText(long_value));
  EXPECT_EQ(ReadInstallValue(), long_value);
}

TEST_F(LibcopierInstallValue, OtherTypesAndMissingValuesAreEmpty) {
  ASSERT_TRUE(saved.Set(REG_DWORD, std::string("\x01\x02\x03\x04", 4)));
  EXPECT_EQ(ReadInstallValue(), "");
  saved.Delete();
  EXPECT_EQ(ReadInstallValue(), "");
  saved.DeleteKey();
  EXPECT_EQ(ReadInstallValue(), "");
}

TEST(LibcopierWin32Texts, SystemErrorTextAndToWide) {
  // The system's UTF-16 text of each code in the ANSI code page, line break and all.
  for (DWORD code : {ERROR_PATH_NOT_FOUND, ERROR_DISK_FULL}) {
    wchar_t wide[512] = {};
    char expected[1024] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0, wide, 512, nullptr);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, expected, sizeof expected, nullptr, nullptr);
    EXPECT_THAT(SystemErrorText(code), ::testing::AllOf(expected, ::testing::EndsWith("\r\n"))) << code;
  }
  EXPECT_EQ(SystemErrorText(0x2FFFFFFF), "");

  EXPECT_EQ(ToWide("复制文件"), L"\u590D\u5236\u6587\u4EF6");
  EXPECT_EQ(ToWide(""), L"");
  EXPECT_EQ(ToWide("OrrinWindow"), L"OrrinWindow");
}

TEST(LibcopierWin32Resources, FontsAndIconsAreLoaded) {
  State() = FerrydropState{};
  LoadAppResources();
  const AppResources& r = State().resources;
  EXPECT_EQ(r.ModuleHandle, GetModuleHandleA(nullptr));
  EXPECT_NE(r.AppIconLarge, nullptr);
  EXPECT_NE(r.AppIconSmall, nullptr);
  EXPECT_EQ(r.ArrowCursor, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(r.GuiFont, GetStockObject(DEFAULT_GUI_FONT));

  LOGFONTW gui = {}, bold = {};
  ASSERT_NE(GetObjectW(r.GuiFont, sizeof gui, &gui), 0);
  ASSERT_NE(GetObjectW(r.BoldFont, sizeof bold, &bold), 0);
  EXPECT_EQ(bold.lfWeight, FW_BOLD);
  EXPECT_EQ(bold.lfUnderline, 0);
  EXPECT_EQ(bold.lfHeight, gui.lfHeight);
  EXPECT_EQ(bold.lfCharSet, gui.lfCharSet);
  EXPECT_STREQ(bold.lfFaceName, gui.lfFaceName);
}

// The replace window built in process, so its fonts can be compared.
class LibcopierWin32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    State() = FerrydropState{};
    LoadAppResources();
    State().request.source = FileFacts{"C:\\src\\Grid.FNE", "C:\\src", "Grid.FNE", ".fne", "-1 B"};
    State().request.destination = FileFacts{"C:\\E\\lib\\Grid.FNE", "C:\\E\\lib", "Grid.FNE", ".fne", "2 KB"};
    ASSERT_TRUE(CreateMainWindow());
    window = State().MainWindow;
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    // Drop the quit message the destruction posted.
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    State().MainWindow = nullptr;
  }
  HWND window = nullptr;
};

TEST_F(LibcopierWin32Window, FrameIsAFixedCentredPopup) {
  EXPECT_EQ(test::ClassOf(window), "OrrinWindow");
  EXPECT_EQ(test::TextOf(window), "复制文件");
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_POPUP | WS_CAPTION | WS_SYSMENU);
  EXPECT_FALSE(style & WS_VISIBLE);
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  RECT frame = {};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 500);
  EXPECT_EQ(frame.bottom - frame.top, 450);
  const POINT centred = test::CentredOnWorkArea(500, 450);
  EXPECT_EQ(frame.left, centred.x);
  EXPECT_EQ(frame.top, centred.y);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), State().resources.AppIconLarge);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), State().resources.AppIconSmall);
  // The class is registered once; a second creation reuses it.
  EXPECT_TRUE(RegisterWindowClass(L"OrrinWindow"));
  EXPECT_TRUE(RegisterWindowClass(L"Button"));
}

TEST_F(LibcopierWin32Window, ControlsCarryTheirFonts) {
  BuildReplaceLayout();
  int width = 0;
  ASSERT_TRUE(QueryClientSize(window, &width, nullptr));
  const std::vector<ControlSpec> specs = ReplaceLayout(width, State().request.source, State().request.destination);
  const std::vector<HWND> controls = test::Descendants(window);
  ASSERT_EQ(controls.size(), specs.size());
  for (std::size_t i = 0; i < specs.size(); ++i) {
    SCOPED_TRACE(i + 1);
    if (specs[i].text.empty()) continue;  // icons and the etched line have no text and keep no font
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(controls[i], WM_GETFONT, 0, 0));
    EXPECT_EQ(font, specs[i].bold ? State().resources.BoldFont : State().resources.GuiFont);
  }
}

TEST_F(LibcopierWin32Window, CommandsTwoAndOtherIdsWhateverTheirCode) {
  // Other ids, the statics' 0 and the icons' ids among them, do nothing.
  for (int id : {0, 7, kSourceIconId, kDestinationIconId}) {
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    PumpPendingMessages();
    EXPECT_TRUE(IsWindow(window)) << id;
  }
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(2, 0x1234), 0);
  EXPECT_TRUE(IsWindow(window));  // closing is posted, not done at once
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(window));
}

LRESULT CALLBACK RefuseCreation(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return m == WM_NCCREATE ? FALSE : DefWindowProcW(w, m, wp, lp);
}

TEST(LibcopierWin32WindowFailure, CreationFailureAsksWithTheQuestionIcon) {
  // A class of the window's name whose windows refuse to be created.
  const HINSTANCE module = GetModuleHandleA(nullptr);
  UnregisterClassW(L"OrrinWindow", module);
  const WNDCLASSEXW refusing{sizeof(WNDCLASSEXW), 0, RefuseCreation, 0,      0,
                             module,              nullptr, nullptr,  nullptr, nullptr, L"OrrinWindow"};
  ASSERT_NE(RegisterClassExW(&refusing), 0);
  State() = FerrydropState{};

  std::optional<test::MessageBoxSeen> box;
  std::thread answer([&] {
    box = test::WaitForMessageBox(GetCurrentProcessId());
    if (box) test::AnswerMessageBox(box->box, IDOK);
  });
  EXPECT_FALSE(CreateMainWindow());
  answer.join();
  UnregisterClassW(L"OrrinWindow", module);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption + box->text, "错误创建主窗口失败");
  EXPECT_EQ(box->icon, UINT{MB_ICONQUESTION});
  EXPECT_EQ(GetWindow(box->box, GW_OWNER), nullptr);
}

TEST(LibcopierWin32Copy, AFailedOrOvertakenCopyLeavesTheFolderAsItWas) {
  test::ScratchDir dir("ferry_place");
  ASSERT_TRUE(dir.MakeDir("lib") && dir.WriteFile("lib\\Grid.FNE", "old") && dir.WriteFile("Grid.FNE", "new"));
  FileFacts grid, late;
  FillFileFacts(dir / "lib\\Grid.FNE", grid, Win32PathFacts());
  FillFileFacts(dir / "lib\\Late.fne", late, Win32PathFacts());
  // Part of the library reaches the temporary file, then the disk is full.
  const auto part_then_full = [](const std::string&, const std::string& to) {
    const UniqueFile file(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), "ne", 2, &written, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return false;
  };
  EXPECT_EQ(CopyIntoPlace(dir / "Grid.FNE", grid, CopyMode::kReplace, part_then_full), DWORD{ERROR_DISK_FULL});
  // Another run of that name finishes while this first copy is under way.
  const auto overtaken = [&](const std::string& from, const std::string& to) {
    return dir.WriteFile("lib\\Late.fne", "other") && CopyFileRoutine(from, to);
  };
  EXPECT_EQ(CopyIntoPlace(dir / "Grid.FNE", late, CopyMode::kCreate, overtaken), DWORD{ERROR_ALREADY_EXISTS});
  EXPECT_EQ(test::ReadFileBytes(dir / "lib\\Grid.FNE"), "old");
  EXPECT_EQ(test::ReadFileBytes(dir / "lib\\Late.fne"), "other");
  WIN32_FIND_DATAA found;
  EXPECT_FALSE(UniqueFind(FindFirstFileA((dir / "lib\\*.tmp").c_str(), &found))) << found.cFileName;
}

}  // namespace
}  // namespace raz
