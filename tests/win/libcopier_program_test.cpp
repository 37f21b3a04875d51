// Ferrydrop.exe run as the shell runs it, in scratch environments under the
// temp folder, with the install value set for each case and put back after.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "common/gbk_text.h"
#include "common/win32/unique_handle.h"
#include "libcopier/copy_request.h"
#include "libcopier/replace_layout.h"
#include "libcopier/win32/copy_with_retry.h"
#include "win/driver/driver.h"
#include "win/driver/scratch.h"

#if __has_include("libcopier_paths.h")
#include "libcopier_paths.h"
#endif

namespace raz {
namespace {

#ifdef RAZ_FERRYDROP_EXE
constexpr const char* kFerrydrop = RAZ_FERRYDROP_EXE;
#else
constexpr const char* kFerrydrop = nullptr;
#endif

constexpr const char* kNewBytes = "new library";  // 11 bytes
constexpr const char* kOldBytes = "old";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool SameClass(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// A scratch environment: env\ with e.exe, lib\ and static_lib\, and the
// library to copy in src\Grid.FNE. The install value points at env\lib\.
class LibcopierProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!kFerrydrop) GTEST_SKIP() << "libcopier_paths.h is not on the include path";
    ASSERT_TRUE(dir.MakeDir("env\\lib"));
    ASSERT_TRUE(dir.MakeDir("env\\static_lib"));
    ASSERT_TRUE(dir.MakeDir("src"));
    ASSERT_TRUE(dir.WriteFile("env\\e.exe", "MZ"));
    ASSERT_TRUE(dir.WriteFile("src\\Grid.FNE", kNewBytes));
    ASSERT_TRUE(dir.WriteFile("src\\Base.lib", kNewBytes));
    ASSERT_TRUE(install.SetText(dir / "env\\lib\\"));
  }

  test::Program Run(const std::string& args) {
    test::Program p(kFerrydrop, args, dir.path());
    EXPECT_TRUE(p.ok());
    return p;
  }

  // The run ends by itself with exit code 0, showing nothing that waits.
  static void ExpectEndsWithZero(const test::Program& p) {
    ASSERT_TRUE(p.WaitForExit()) << "still running with " << p.TopWindows().size() << " windows";
    EXPECT_EQ(p.ExitCode(), 0u);
  }

  // The replace window of `p`, visible.
  static HWND ReplaceWindow(const test::Program& p) {
    const HWND w = p.WaitForWindow("OrrinWindow", "复制文件");
    EXPECT_NE(w, nullptr);
    return w;
  }

  // Answers `box` and waits until it is gone.
  static void Answer(HWND box, int id) {
    test::AnswerMessageBox(box, id);
    EXPECT_TRUE(test::WaitUntil([&] { return !IsWindow(box); }, 5000));
  }

  test::ScratchDir dir{"ferrydrop"};
  test::SavedRegistryValue install{HKEY_CURRENT_USER, kInstallKey, kInstallValueName};
};

TEST_F(LibcopierProgram, NothingToCopyEndsSilentlyEvenWithoutEnvironment) {
  ASSERT_TRUE(install.SetText(dir / "nowhere\\lib\\"));
  ASSERT_TRUE(dir.WriteFile("src\\a.dll", kNewBytes));
  for (const std::string& args : {std::string(), Quoted(dir / "src\\a.dll"), Quoted(dir / "src\\Grid"),
                                 std::string("\"\"")}) {
    SCOPED_TRACE(args);
    ExpectEndsWithZero(Run(args));
  }
}

TEST_F(LibcopierProgram, NoEExeShowsTheEnvironmentBox) {
  ASSERT_TRUE(dir.MakeDir("bare\\lib"));
  // No e.exe there; a REG_EXPAND_SZ value is not expanded; no value at all.
  SetEnvironmentVariableA("RAZ_FERRY_ENV", (dir / "env").c_str());
  const std::function<void()> setups[] = {
      [&] { install.SetText(dir / "bare\\lib\\"); },
      [&] { install.Set(REG_EXPAND_SZ, std::string("%RAZ_FERRY_ENV%\\lib\\") + '\0'); },
      [&] { install.Delete(); },
  };
  for (const auto& setup : setups) {
    setup();
    test::Program p = Run(Quoted(dir / "src\\Grid.FNE"));
    const auto box = test::WaitForMessageBox(p.pid());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "错误");
    EXPECT_EQ(box->text, "获取raz目录失败");
    EXPECT_EQ(box->buttons.size(), 1u);
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(GetWindow(box->box, GW_OWNER), nullptr);
    Answer(box->box, IDOK);
    ExpectEndsWithZero(p);
    EXPECT_EQ(test::ReadFileBytes(dir / "env\\lib\\Grid.FNE"), "<missing>");
  }
}

TEST_F(LibcopierProgram, AbsentDestinationIsCopiedAtOnce) {
  ExpectEndsWithZero(Run(Quoted(dir / "src\\Grid.FNE")));
  EXPECT_EQ(test::ReadFileBytes(dir / "env\\lib\\Grid.FNE"), kNewBytes);

  // A .lib goes to static_lib\; an install value without its backslash works too.
  ASSERT_TRUE(install.SetText(dir / "env\\lib"));
  ExpectEndsWithZero(Run(Quoted(dir / "src\\Base.lib") + " ignored.fne"));
  EXPECT_EQ(test::ReadFileBytes(dir / "env\\static_lib\\Base.lib"), kNewBytes);
}

TEST_F(LibcopierProgram, ReplaceWindowShowsBothFilesAndTheCopyButtonOverwrites) {
  ASSERT_TRUE(dir.WriteFile("env\\lib\\Grid.FNE", kOldBytes));
  test::Program p = Run(Quoted(dir / "src\\Grid.FNE"));
  const HWND window = ReplaceWindow(p);
  ASSERT_NE(window, nullptr);

  RECT frame = {}, client = {};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  EXPECT_EQ(frame.right - frame.left, 500);
  EXPECT_EQ(frame.bottom - frame.top, 450);
  const POINT centred = test::CentredOnWorkArea(500, 450);
  EXPECT_EQ(frame.left, centred.x);
  EXPECT_EQ(frame.top, centred.y);

  const std::string env = dir / "env";
  const FileFacts source{dir / "src\\Grid.FNE", dir / "src", "Grid.FNE", ".fne", "11 B"};
  const FileFacts destination{env + "\\lib\\Grid.FNE", env + "\\lib", "Grid.FNE", ".fne", "3 B"};
  const std::vector<ControlSpec> specs = ReplaceLayout(client.right, source, destination);
  const std::vector<HWND> controls = test::Descendants(window);
  ASSERT_EQ(controls.size(), 15u);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const HWND c = controls[i];
    const ControlSpec& s = specs[i];
    EXPECT_PRED2(SameClass, test::ClassOf(c), s.class_name);
    EXPECT_EQ(test::TextOf(c), s.text);
    EXPECT_EQ(GetDlgCtrlID(c), s.id);
    EXPECT_EQ(static_cast<std::uint32_t>(GetWindowLongA(c, GWL_STYLE)), s.style);
    // An etched line is drawn with a static edge, which the static control adds
    // itself, widening the line by that edge.
    const bool etched = s.style & kSsEtchedHorz;
    const LONG own_ex_style = etched ? WS_EX_STATICEDGE : 0;
    EXPECT_EQ(GetWindowLongA(c, GWL_EXSTYLE) & ~own_ex_style, 0);
    const RECT r = test::RectIn(c, window);
    EXPECT_EQ(r.left, s.x);
    EXPECT_EQ(r.top, s.y);
    if (!etched) {
      EXPECT_EQ(r.right - r.left, s.width);
    }
    EXPECT_EQ(r.bottom - r.top, s.height);
  }
  // The rows end 8 pixels before the client's right edge.
  EXPECT_EQ(test::RectIn(test::ChildById(window, 2), window).right, client.right - 8);
  for (int id : {kSourceIconId, kDestinationIconId}) {
    DWORD_PTR icon = 0;
    SendMessageTimeoutA(test::ChildById(window, id), STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
    EXPECT_NE(icon, 0u) << id;
  }

  // No dialog manager: Enter, Esc and Tab neither copy nor close.
  for (UINT key : {VK_RETURN, VK_ESCAPE, VK_TAB}) test::PressKey(window, key);
  Sleep(500);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(test::ReadFileBytes(env + "\\lib\\Grid.FNE"), kOldBytes);

  test::Click(test::ChildById(window, kCopyButtonId));
  ExpectEndsWithZero(p);
  EXPECT_EQ(test::ReadFileBytes(env + "\\lib\\Grid.FNE"), kNewBytes);
}

TEST_F(LibcopierProgram, DoNotCopyAndTheCloseBoxLeaveTheDestination) {
  ASSERT_TRUE(dir.WriteFile("env\\static_lib\\Base.lib", kOldBytes));
  for (bool use_button : {true, false}) {
    SCOPED_TRACE(use_button ? "button 2" : "close box");
    test::Program p = Run(Quoted(dir / "src\\Base.lib"));
    const HWND window = ReplaceWindow(p);
    ASSERT_NE(window, nullptr);
    if (use_button) {
      test::Click(test::ChildById(window, kSkipButtonId));
    } else {
      PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ExpectEndsWithZero(p);
    EXPECT_EQ(test::ReadFileBytes(dir / "env\\static_lib\\Base.lib"), kOldBytes);
  }
}

TEST_F(LibcopierProgram, FailedCopyOffersRetryUntilAbort) {
  test::RemoveTree(dir / "env\\lib");
  test::Program p = Run(Quoted(dir / "src\\Grid.FNE"));
  for (int attempt = 0; attempt < 3; ++attempt) {
    SCOPED_TRACE(attempt);
    const auto box = test::WaitForMessageBox(p.pid());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "错误");
    // The copy's temporary file cannot be made in a folder that is not there.
    EXPECT_EQ(box->text, "复制文件失败\r\n" + SystemErrorText(ERROR_DIRECTORY));
    EXPECT_EQ(box->buttons.size(), 3u);
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    for (int id : {IDABORT, IDRETRY, IDIGNORE}) EXPECT_NE(GetDlgItem(box->box, id), nullptr) << id;
    EXPECT_EQ(GetWindow(box->box, GW_OWNER), nullptr);  // no window on the direct road
    Answer(box->box, attempt < 2 ? IDRETRY : IDABORT);
  }
  ExpectEndsWithZero(p);
}

TEST_F(LibcopierProgram, FailedCopyOnTheWindowRoadIsOwnedByTheWindow) {
  // A directory of the destination's name counts as existing; copying onto it fails.
  ASSERT_TRUE(dir.MakeDir("env\\lib\\Grid.FNE"));
  test::Program p = Run(Quoted(dir / "src\\Grid.FNE"));
  const HWND window = ReplaceWindow(p);
  ASSERT_NE(window, nullptr);
  test::Click(test::ChildById(window, kCopyButtonId));
  const auto box = test::WaitForMessageBox(p.pid());
  ASSERT_TRUE(box.has_value());
  // The step that fails is the one that puts the copy in the directory's place.
  EXPECT_EQ(box->text, "复制文件失败\r\n" + SystemErrorText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(GetWindow(box->box, GW_OWNER), window);
  EXPECT_TRUE(IsWindow(window));
  Answer(box->box, IDIGNORE);
  ExpectEndsWithZero(p);
  WIN32_FIND_DATAA found;
  const UniqueFind temp(FindFirstFileA((dir / "env\\lib\\*.tmp").c_str(), &found));
  EXPECT_FALSE(temp) << found.cFileName;
}

TEST_F(LibcopierProgram, MissingSourceShowsNoSizeNoIconAndFailsIntoTheRetryBox) {
  ASSERT_TRUE(dir.WriteFile("env\\lib\\Gone.fne", kOldBytes));
  test::Program p = Run(Quoted(dir / "src\\Gone.fne"));
  const HWND window = ReplaceWindow(p);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test::TextOf(test::Descendants(window).at(6)), dir / "src" + "\r\n大小：-1 B");
  DWORD_PTR icon = 1;
  SendMessageTimeoutA(test::ChildById(window, kSourceIconId), STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
  EXPECT_EQ(icon, 0u);
  test::Click(test::ChildById(window, kCopyButtonId));
  const auto box = test::WaitForMessageBox(p.pid());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "复制文件失败\r\n" + SystemErrorText(ERROR_FILE_NOT_FOUND));
  Answer(box->box, IDABORT);
  ExpectEndsWithZero(p);
  EXPECT_EQ(test::ReadFileBytes(dir / "env\\lib\\Gone.fne"), kOldBytes);
}

TEST_F(LibcopierProgram, ALibraryThatIsItsOwnDestinationEndsSilently) {
  ASSERT_TRUE(dir.WriteFile("env\\lib\\Grid.FNE", kOldBytes));
  const std::string in_lib = dir / "env\\lib\\Grid.FNE";
  char short_path[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(in_lib.c_str(), short_path, MAX_PATH), 0u);
  ASSERT_NE(short_path, in_lib);
  // Other letter case, "." components relative to the current directory, and
  // the short name.
  for (const std::string& spelling :
       {AsciiUpper(in_lib), std::string(".\\env\\lib\\.\\Grid.FNE"), std::string(short_path)}) {
    SCOPED_TRACE(spelling);
    ExpectEndsWithZero(Run(Quoted(spelling)));
    EXPECT_EQ(test::ReadFileBytes(in_lib), kOldBytes);
  }
}

// The NT headers of a PE image in memory, or null when it is not one.
const IMAGE_NT_HEADERS* NtHeaders(const char* image, std::size_t size) {
  if (size < sizeof(IMAGE_DOS_HEADER)) return nullptr;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return nullptr;
  if (static_cast<std::size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64) > size) return nullptr;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

TEST(LibcopierExecutable, CarriesNoResources) {
  if (!kFerrydrop) GTEST_SKIP() << "libcopier_paths.h is not on the include path";
  const std::string image = test::ReadFileBytes(kFerrydrop);
  const IMAGE_NT_HEADERS* nt = NtHeaders(image.data(), image.size());
  ASSERT_NE(nt, nullptr);
  // Built by the same compiler as this test program.
  const auto* self = reinterpret_cast<const char*>(GetModuleHandleA(nullptr));
  EXPECT_EQ(nt->FileHeader.Machine, NtHeaders(self, 4096)->FileHeader.Machine);

  // The optional header comes in a 32-bit and a 64-bit layout.
  const IMAGE_DATA_DIRECTORY* resources = nullptr;
  WORD subsystem = 0;
  if (nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    const auto& opt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(nt)->OptionalHeader;
    ASSERT_GT(opt.NumberOfRvaAndSizes, static_cast<DWORD>(IMAGE_DIRECTORY_ENTRY_RESOURCE));
    resources = &opt.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
    subsystem = opt.Subsystem;
  } else {
    const auto& opt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt)->OptionalHeader;
    ASSERT_EQ(opt.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    ASSERT_GT(opt.NumberOfRvaAndSizes, static_cast<DWORD>(IMAGE_DIRECTORY_ENTRY_RESOURCE));
    resources = &opt.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
    subsystem = opt.Subsystem;
  }
  EXPECT_EQ(subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_EQ(resources->VirtualAddress, 0u);
  EXPECT_EQ(resources->Size, 0u);

  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  ASSERT_LE(reinterpret_cast<const char*>(section + nt->FileHeader.NumberOfSections), image.data() + image.size());
  for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
    const char* name = reinterpret_cast<const char*>(section[i].Name);
    EXPECT_NE(std::string(name, strnlen(name, IMAGE_SIZEOF_SHORT_NAME)), ".rsrc");
  }
}

}  // namespace
}  // namespace raz
