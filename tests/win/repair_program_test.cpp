// Ravelmend as a user meets it: the window and its layout, the proposal and
// presets at start, the repair with its checks and outcome boxes, and Enter in
// the path box. Each test starts from a registry without the six types.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "registry/registry_win32.h"
#include "repair/main_window_layout.h"
#include "repair_paths_generated.h"
#include "win/driver/driver.h"
#include "win/driver/registry_dump.h"
#include "win/driver/scratch.h"
#include "win/repair_fixtures.h"

namespace raz {
namespace {

using test::Program;

constexpr char kMainClass[] = "RavelmendMain";
constexpr char kTitle[] = "Ravelmend V1.30";

// Everything a repair or these tests write, besides the file types' keys.
void RemoveRepairKeys() { test::RemoveFileTypeKeys({"RazTest.Fne"}); }

// Every entry a repair may write or delete, one line per value or empty key.
std::vector<std::string> RepairEntries() {
  std::vector<std::string> lines = test::DumpFileTypeKeys({"RazTest.Fne"});
  for (std::string& line : test::DumpRegistry(HKEY_CURRENT_USER, "Software\\VidOvu")) lines.push_back(std::move(line));
  return lines;
}

struct RepairProgramTest : ::testing::Test {
  test::ScratchDir dir{"ravelmend"};
  Win32Registry registry;
  HWND main = nullptr;

  RepairProgramTest() { RemoveRepairKeys(); }
  ~RepairProgramTest() override { RemoveRepairKeys(); }

  std::string EExe() const { return dir / "e.exe"; }
  void MakeEnvironment() {
    ASSERT_TRUE(dir.MakeDir("lib"));
    ASSERT_TRUE(dir.WriteFile("e.exe", "MZ"));
    Write(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install\\Path", dir / "lib\\");
  }
  void Write(RegistryRoot root, const std::string& item, const std::string& text) {
    ASSERT_TRUE(registry.WriteRegistryText(root, item, text)) << item;
  }
  std::string Read(const std::string& item) { return registry.ReadRegistryText(RegistryRoot::ClassesRoot, item); }
  bool Exists(const std::string& item) { return registry.RegistryItemExists(RegistryRoot::ClassesRoot, item); }

  // Starts the program and waits until its window shows.
  Program Start() {
    Program program(RAZ_RAVELMEND_EXE, "");
    EXPECT_TRUE(program.ok());
    main = program.WaitForWindow(kMainClass, kTitle);
    EXPECT_NE(main, nullptr);
    return program;
  }
  HWND Control(int id) const { return test::ChildById(main, id); }
  HWND Option(RepairOption option) const { return Control(OptionControlId(option)); }
  HWND Edit() const { return Control(kIdPathEdit); }
  HWND RepairButton() const { return Control(kIdRepair); }
  HWND Focused() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
  }
  // Waits for a message box of the program with that caption and text and
  // one button, and answers it.
  void ExpectBox(const Program& program, const std::string& caption, const std::string& text) {
    test::AnswerBox(program.pid(), caption, text);
  }
  void ExpectNoBox(const Program& program) { EXPECT_FALSE(test::WaitForMessageBox(program.pid(), 1500)); }
};

struct Posted {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// Posts the messages while the thread of `main` is held, so that all of them
// wait in its queue before it handles the first.
void PostTogether(HWND main, std::initializer_list<Posted> messages) {
  HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main, nullptr));
  ASSERT_NE(thread, nullptr);
  ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
  for (const Posted& m : messages) PostMessageA(m.window, m.message, m.wparam, m.lparam);
  ResumeThread(thread);
  CloseHandle(thread);
}

struct Placed {
  int id, parent, left, top, width, height;
  const char* text;
};

TEST_F(RepairProgramTest, WindowFollowsTheLayoutWithProposalAndPresets) {
  MakeEnvironment();
  // .fne belongs to another program whose icon file exists; LIB.Document has the copy verb.
  ASSERT_TRUE(dir.WriteFile("tools.ico", "icon"));
  Write(RegistryRoot::ClassesRoot, ".fne\\", "RazTest.Fne");
  Write(RegistryRoot::ClassesRoot, "RazTest.Fne\\DefaultIcon\\", dir / "tools.ico,0");
  Write(RegistryRoot::ClassesRoot, ".lib\\", "LIB.Document");
  Write(RegistryRoot::ClassesRoot, "LIB.Document\\Shell\\复制到raz目录\\Command\\", "copy \"%1\"");
  Program program = Start();
  ASSERT_TRUE(main);

  RECT window = {};
  GetWindowRect(main, &window);
  EXPECT_EQ(window.right - window.left, 450);
  EXPECT_EQ(window.bottom - window.top, 460);
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 450) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 460) / 2);
  const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);

  const Placed placed[] = {
      {kIdBanner, 0, 0, 0, 600, 80, ""},
      {kIdPathLabel, 0, 8, 86, 88, 20, "raz主程序"},
      {kIdBrowse, 0, 371, 83, 64, 24, "浏览(&B)"},
      {kIdPathEdit, 0, 8, 110, 426, 20, nullptr},
      {kIdFrame1, 0, 8, 138, 220, 86, ""},
      {kIdIconE, kIdFrame1, 8, 8, 16, 16, nullptr},
      {kIdLabelE, kIdFrame1, 28, 8, 164, 16, "raz源码(*.e)"},
      {OptionControlId(RepairOption::EIcon), kIdFrame1, 28, 28, 120, 16, "图标显示"},
      {OptionControlId(RepairOption::EOpen), kIdFrame1, 28, 44, 128, 16, "文件双击打开"},
      {OptionControlId(RepairOption::ENew), kIdFrame1, 28, 60, 160, 16, "右键“新建→易程序”"},
      {kIdFrame2, 0, 8, 232, 220, 136, ""},
      {kIdIconE8, kIdFrame2, 8, 8, 16, 16, nullptr},
      {kIdLabelE8, kIdFrame2, 28, 8, 164, 16, "易程序配置信息(*.e8)"},
      {OptionControlId(RepairOption::E8Icon), kIdFrame2, 24, 28, 120, 16, "图标显示"},
      {OptionControlId(RepairOption::E8Open), kIdFrame2, 24, 44, 128, 16, "文件双击打开"},
      {OptionControlId(RepairOption::E8New), kIdFrame2, 24, 60, 192, 16, "右键“新建→易程序配置信息”"},
      {OptionControlId(RepairOption::E8OpenWithRaz), kIdFrame2, 24, 76, 160, 16, "右键“用raz打开”"},
      {OptionControlId(RepairOption::E8OpenWithNotepad), kIdFrame2, 24, 92, 160, 16, "右键“用记事本打开”"},
      {kIdFrame3, 0, 236, 138, 198, 230, ""},
      {kIdIconEc, kIdFrame3, 8, 8, 16, 16, nullptr},
      {kIdLabelEc, kIdFrame3, 28, 8, 132, 16, "raz模块(*.ec)"},
      {OptionControlId(RepairOption::EcIcon), kIdFrame3, 28, 28, 84, 16, "图标显示"},
      {kIdIconEdb, kIdFrame3, 8, 48, 16, 16, nullptr},
      {kIdLabelEdb, kIdFrame3, 28, 48, 132, 16, "易数据库文件(*.edb)"},
      {OptionControlId(RepairOption::EdbIcon), kIdFrame3, 28, 68, 84, 16, "图标显示"},
      {OptionControlId(RepairOption::EdbOpen), kIdFrame3, 28, 84, 84, 16, "双击打开"},
      {kIdIconFne, kIdFrame3, 8, 104, 16, 16, nullptr},
      {kIdLabelFne, kIdFrame3, 28, 104, 132, 16, "支持库文件(*.fne)"},
      {OptionControlId(RepairOption::FneIcon), kIdFrame3, 28, 124, 84, 16, "图标显示"},
      {OptionControlId(RepairOption::FneCopy), kIdFrame3, 28, 142, 168, 16, "右键“复制到raz目录”"},
      {kIdIconLib, kIdFrame3, 8, 163, 16, 16, nullptr},
      {kIdLabelLib, kIdFrame3, 28, 163, 132, 16, "静态库文件(*.lib)"},
      {OptionControlId(RepairOption::LibIcon), kIdFrame3, 28, 183, 84, 16, "图标显示"},
      {OptionControlId(RepairOption::LibCopy), kIdFrame3, 28, 201, 168, 16, "右键“复制到raz目录”"},
      {kIdRepair, 0, 236, 380, 198, 40, "一键修复(&E)"},
  };
  for (const Placed& p : placed) {
    HWND control = Control(p.id);
    ASSERT_NE(control, nullptr) << p.id;
    HWND parent = p.parent == 0 ? main : Control(p.parent);
    EXPECT_EQ(GetParent(control), parent) << p.id;
    const RECT r = test::RectIn(control, parent);
    EXPECT_EQ(r.left, p.left) << p.id;
    EXPECT_EQ(r.top, p.top) << p.id;
    EXPECT_EQ(r.right - r.left, p.width) << p.id;
    EXPECT_EQ(r.bottom - r.top, p.height) << p.id;
    if (p.text != nullptr) {
      EXPECT_EQ(test::TextOf(control), p.text) << p.id;
    }
  }
  // The pictures are there: the decoded banner and the six type icons.
  EXPECT_NE(SendMessageA(Control(kIdBanner), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  for (int id = kIdIconE; id <= kIdIconLib; ++id) EXPECT_NE(SendMessageA(Control(id), STM_GETICON, 0, 0), 0) << id;

  // Initial states, with the presets: the .fne icon option disabled (still
  // checked), the .lib copy option checked.
  struct State {
    RepairOption option;
    bool checked, enabled;
  };
  for (const State& s : {State{RepairOption::EIcon, true, false}, State{RepairOption::EOpen, true, false},
                         State{RepairOption::ENew, true, true}, State{RepairOption::E8OpenWithNotepad, true, true},
                         State{RepairOption::FneIcon, true, false}, State{RepairOption::FneCopy, false, true},
                         State{RepairOption::LibIcon, true, true}, State{RepairOption::LibCopy, true, true}}) {
    EXPECT_EQ(test::IsChecked(Option(s.option)), s.checked) << static_cast<int>(s.option);
    EXPECT_EQ(IsWindowEnabled(Option(s.option)) != FALSE, s.enabled) << static_cast<int>(s.option);
  }
  // The proposal from the install value.
  EXPECT_EQ(test::TextOf(Edit()), EExe());

  // Esc closes the window and ends the program with 0.
  test::PressKey(Edit(), VK_ESCAPE);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
}

// The proposal passes the repair's own path check: neither a missing e.exe nor
// a folder of that name is proposed.
TEST_F(RepairProgramTest, NoProposalWhenThePathIsNoProgramFile) {
  Write(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install\\Path", dir / "lib\\");
  for (bool folder : {false, true}) {
    if (folder) ASSERT_TRUE(dir.MakeDir("e.exe"));
    Program program = Start();
    ASSERT_TRUE(main);
    EXPECT_EQ(test::TextOf(Edit()), "") << folder;
  }
}

// With extensions planted to point at the shell's classes: the types get their
// default ProgIDs, and those classes stay as they were.
TEST_F(RepairProgramTest, RepairWritesTheTypesAsTheOptionsSay) {
  MakeEnvironment();
  test::SavedRegistryValue exe(HKEY_CLASSES_ROOT, ".exe", "");
  ASSERT_TRUE(exe.SetText("exefile"));
  Write(RegistryRoot::ClassesRoot, "exefile\\shell\\open\\command\\", "\"%1\" %*");
  const std::vector<std::string> shell_classes[] = {test::DumpRegistry(HKEY_CLASSES_ROOT, "exefile"),
                                                    test::DumpRegistry(HKEY_CLASSES_ROOT, "Folder")};
  for (const auto& [extension, planted] : {std::pair{".edb\\", "exefile"}, {".lib\\", "exefile\\shell"},
                                           {".fne\\", "Folder"}, {".ec\\", "EXEFILE"}}) {
    Write(RegistryRoot::ClassesRoot, extension, planted);
  }
  Program program = Start();
  ASSERT_TRUE(main);
  test::SetChecked(Option(RepairOption::LibCopy), true);
  test::SetChecked(Option(RepairOption::E8OpenWithNotepad), false);
  test::SetText(Edit(), "  " + EExe() + " ");
  test::Click(RepairButton());
  ExpectBox(program, "提示", "文件关联 修复成功");
  EXPECT_EQ(test::TextOf(RepairButton()), "一键修复");
  EXPECT_TRUE(IsWindowEnabled(Edit()));
  EXPECT_TRUE(IsWindowEnabled(Control(kIdBrowse)));
  EXPECT_TRUE(IsWindowEnabled(RepairButton()));
  EXPECT_EQ(test::TextOf(Edit()), "  " + EExe() + " ");

  const std::string open = "\"" + EExe() + "\" \"%1\"";
  const std::string copy = "\"" + dir / "tools\\Ferrydrop.exe" + "\" \"%1\"";
  EXPECT_EQ(Read(".e\\"), "E.Document");
  EXPECT_EQ(Read("E.Document\\"), "易程序");
  EXPECT_EQ(Read("E.Document\\DefaultIcon\\"), EExe() + ",-127");
  EXPECT_EQ(Read("E.Document\\Shell\\Open\\Command\\"), open);
  EXPECT_TRUE(Exists(".e\\ShellNew\\NullFile"));
  EXPECT_EQ(Read("E8.Document\\DefaultIcon\\"), EExe() + ",-134");
  EXPECT_EQ(Read("E8.Document\\Shell\\用raz打开\\Command\\"), open);
  EXPECT_FALSE(Exists("E8.Document\\Shell\\用记事本打开"));
  EXPECT_EQ(Read(".ec\\"), "EC.Document");
  EXPECT_EQ(Read("EC.Document\\DefaultIcon\\"), dir / "help\\ec.ico");
  EXPECT_EQ(Read(".edb\\"), "EDB.Document");
  EXPECT_EQ(Read("EDB.Document\\Shell\\Open\\Command\\"), "\"" + dir / "tools\\Tallyscope.exe" + "\" \"%1\"");
  EXPECT_EQ(Read(".fne\\"), "FNE.Document");
  EXPECT_EQ(Read("FNE.Document\\"), "raz支持库");
  EXPECT_EQ(Read("FNE.Document\\DefaultIcon\\"), dir / "help\\fne.ico");
  EXPECT_FALSE(Exists("FNE.Document\\Shell\\复制到raz目录"));
  EXPECT_EQ(Read(".lib\\"), "LIB.Document");
  EXPECT_EQ(Read("LIB.Document\\Shell\\复制到raz目录\\Command\\"), copy);
  EXPECT_EQ(test::DumpRegistry(HKEY_CLASSES_ROOT, "exefile"), shell_classes[0]);
  EXPECT_EQ(test::DumpRegistry(HKEY_CLASSES_ROOT, "Folder"), shell_classes[1]);
  EXPECT_EQ(registry.ReadRegistryText(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install\\Path"),
            dir / "lib\\");
  EXPECT_NE(GetFileAttributesA((dir / "help").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA((dir / "tools").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RepairProgramTest, InputErrorsKeepTheCaptionAndTheInputs) {
  MakeEnvironment();
  Program program = Start();
  ASSERT_TRUE(main);

  test::SetText(Edit(), " \xA1\xA1 ");
  test::Click(RepairButton());
  ExpectBox(program, "错误", "请选择raz主程序");
  EXPECT_TRUE(test::WaitUntil([&] { return Focused() == Edit(); }, 5000));
  EXPECT_EQ(test::TextOf(Edit()), "");
  EXPECT_EQ(test::TextOf(RepairButton()), "一键修复(&E)");

  const std::string missing = dir / "nothing\\e.exe";
  test::SetText(Edit(), missing);
  test::Click(RepairButton());
  ExpectBox(program, "错误", "raz主程序路径错误");
  EXPECT_TRUE(test::WaitUntil([&] { return Focused() == Edit(); }, 5000));
  EXPECT_EQ(test::TextOf(Edit()), missing);
  EXPECT_EQ(test::TextOf(RepairButton()), "一键修复(&E)");
  EXPECT_TRUE(IsWindowEnabled(RepairButton()));
  EXPECT_FALSE(Exists(".e"));
}

TEST_F(RepairProgramTest, EnterInThePathBoxRepairsOnlyWhileTheBoxIsEnabled) {
  Program program = Start();
  ASSERT_TRUE(main);
  test::SetText(Edit(), "   ");
  test::PressKey(Edit(), VK_RETURN);
  ExpectBox(program, "错误", "请选择raz主程序");
  test::SetText(Edit(), "   ");
  test::PressKey(Edit(), VK_RETURN, /*alt=*/true);
  ExpectBox(program, "错误", "请选择raz主程序");
  // Other keys start nothing.
  test::PressKey(Edit(), 'A');
  test::PressKey(Edit(), VK_TAB);
  ExpectNoBox(program);
  // A disabled box fires no key event.
  EnableWindow(Edit(), FALSE);
  test::PressKey(Edit(), VK_RETURN);
  ExpectNoBox(program);
}

TEST_F(RepairProgramTest, CancelledBrowseLeavesTheBox) {
  Program program = Start();
  ASSERT_TRUE(main);
  test::SetText(Edit(), "typed");
  test::Click(Control(kIdBrowse));
  HWND dialog = program.WaitForWindow(nullptr, "选择raz主程序", 30000);
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(test::TextOf(Edit()), "typed");
}


// A close request queued right behind the click reaches the window while the
// repair pumps its messages. It waits for the outcome box, then ends the
// program; the repair runs on the options it started with.
TEST_F(RepairProgramTest, CloseRequestDuringARepairWaitsForTheOutcome) {
  MakeEnvironment();
  {
    Program program = Start();
    ASSERT_TRUE(main);
    test::Click(RepairButton());
    ExpectBox(program, "提示", "文件关联 修复成功");
  }
  const std::vector<std::string> repaired = RepairEntries();
  ASSERT_FALSE(repaired.empty());

  struct CloseRequest {
    const char* name;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
  };
  for (const CloseRequest& close : {CloseRequest{"WM_CLOSE", WM_CLOSE, 0, 0},
                                    CloseRequest{"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE, 0},
                                    CloseRequest{"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29)},
                                    CloseRequest{"Esc", WM_KEYDOWN, VK_ESCAPE, 1}}) {
    SCOPED_TRACE(close.name);
    Program program = Start();
    ASSERT_TRUE(main);
    PostTogether(main, {{RepairButton(), BM_CLICK, 0, 0}, {main, close.message, close.wparam, close.lparam}});
    ExpectBox(program, "提示", "文件关联 修复成功");
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(RepairEntries(), repaired);
  }
}

// Mouse clicks queued on the buttons before the repair pumps its messages
// reach the disabled buttons, which report them all the same.
TEST_F(RepairProgramTest, RepairButtonClickedTwiceRunsOneRepair) {
  MakeEnvironment();
  Program program = Start();
  ASSERT_TRUE(main);
  const LPARAM at = MAKELPARAM(5, 5);
  PostTogether(main, {{RepairButton(), WM_LBUTTONDOWN, MK_LBUTTON, at}, {RepairButton(), WM_LBUTTONUP, 0, at},
                      {RepairButton(), WM_LBUTTONDOWN, MK_LBUTTON, at}, {RepairButton(), WM_LBUTTONUP, 0, at},
                      {Control(kIdBrowse), WM_LBUTTONDOWN, MK_LBUTTON, at}, {Control(kIdBrowse), WM_LBUTTONUP, 0, at}});
  ExpectBox(program, "提示", "文件关联 修复成功");
  ExpectNoBox(program);  // neither a second outcome nor the open-file dialog
  EXPECT_TRUE(IsWindowEnabled(RepairButton()));
  EXPECT_EQ(test::TextOf(RepairButton()), "一键修复");
}

TEST_F(RepairProgramTest, PathThatNamesNoProgramFileStopsWithThePathBox) {
  MakeEnvironment();
  ASSERT_TRUE(dir.MakeDir("folder\\e.exe"));
  Program program = Start();
  ASSERT_TRUE(main);
  const std::vector<std::string> before = RepairEntries();
  std::string folder = dir.path();
  folder.pop_back();
  for (const std::string& typed : {folder, dir.path(), dir / "folder\\e.exe", dir / "*.exe", dir / "e.ex?",
                                   std::string("e.exe"), std::string("nothing\\e.exe")}) {
    SCOPED_TRACE(typed);
    test::SetText(Edit(), typed);
    test::Click(RepairButton());
    ExpectBox(program, "错误", "raz主程序路径错误");
    EXPECT_EQ(test::TextOf(Edit()), typed);
    EXPECT_EQ(test::TextOf(RepairButton()), "一键修复(&E)");
    EXPECT_EQ(RepairEntries(), before);
  }
  // A path too long for the file functions has a box of its own.
  const std::string deep = dir / (std::string(240, 'd') + "\\e.exe");
  test::SetText(Edit(), deep);
  test::Click(RepairButton());
  ExpectBox(program, "错误", "raz主程序路径过长，无法使用");
  EXPECT_EQ(RepairEntries(), before);
  EXPECT_EQ(GetFileAttributesA((dir / "help").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The program's current directory is its own folder: a name relative to it is
// registered as the full path it stands for.
TEST_F(RepairProgramTest, RelativeProgramNameIsRegisteredAsItsFullPath) {
  const std::string program_file = RAZ_RAVELMEND_EXE;
  const std::string relative = "razrelative" + std::to_string(GetCurrentProcessId());
  const std::string environment = program_file.substr(0, program_file.rfind('\\') + 1) + relative + "\\";
  ASSERT_TRUE(CreateDirectoryA(environment.c_str(), nullptr));
  struct Remove {
    std::string path;
    ~Remove() { test::RemoveTree(path); }
  } remove{environment};
  HANDLE file = CreateFileA((environment + "e.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  Program program = Start();
  ASSERT_TRUE(main);
  test::SetText(Edit(), relative + "\\e.exe");
  test::Click(RepairButton());
  ExpectBox(program, "提示", "文件关联 修复成功");
  EXPECT_EQ(test::TextOf(Edit()), relative + "\\e.exe");
  EXPECT_EQ(Read("E.Document\\DefaultIcon\\"), environment + "e.exe,-127");
  EXPECT_EQ(Read("E8.Document\\Shell\\Open\\Command\\"), "\"" + environment + "e.exe\" \"%1\"");
  EXPECT_EQ(Read("EC.Document\\DefaultIcon\\"), environment + "help\\ec.ico");
  EXPECT_EQ(registry.ReadRegistryText(RegistryRoot::CurrentUser, "Software\\VidOvu\\E\\Install\\Path"),
            environment + "lib\\");
}

}  // namespace
}  // namespace raz
