// The main window's handlers against a recording double of the window: the
// start-up proposal and presets, the repair's checks, locking, captions and
// outcome boxes, and the path box's Enter.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "repair/main_window_handlers.h"
#include "repair/main_window_layout.h"
#include "repair/repair_paths.h"
#include "shared/repair_fakes.h"

namespace raz {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr auto kClasses = RegistryRoot::ClassesRoot;
constexpr auto kUser = RegistryRoot::CurrentUser;

// The window as the layout creates it; every change and every box is logged in
// order.
class FakeWindow : public MainWindowView {
 public:
  FakeWindow() {
    for (const ControlLayout& control : MainWindowLayout()) {
      if (control.kind == ControlKind::CheckBox) {
        options_[control.id - kOptionIdBase] = {control.checked, !control.disabled};
      }
    }
  }
  std::string text;
  std::string dialog_file_name;
  std::string caption = "一键修复(&E)";
  bool inputs_enabled = true;
  std::vector<std::string> log;

  bool IsChecked(RepairOption o) const override { return options_.at(static_cast<int>(o)).first; }
  bool IsEnabled(RepairOption o) const override { return options_.at(static_cast<int>(o)).second; }
  std::string PathText() const override { return text; }
  void SetPathText(std::string_view t) override {
    text = t;
    log.push_back("text " + text);
  }
  void SetDialogFileName(std::string_view p) override { dialog_file_name = p; }
  void SetRepairCaption(std::string_view c) override {
    caption = c;
    log.push_back("caption " + caption);
  }
  void SetInputsEnabled(bool e) override {
    inputs_enabled = e;
    log.push_back(e ? "enable" : "disable");
  }
  void FocusPath() override { log.push_back("focus"); }
  void DisableOption(RepairOption o) override { options_[static_cast<int>(o)].second = false; }
  void CheckOption(RepairOption o) override { options_[static_cast<int>(o)].first = true; }
  void ShowMessage(std::string_view t, std::string_view c, unsigned flags) override {
    log.push_back("box " + std::string(c) + " " + std::string(t) + " " + std::to_string(flags));
  }
  void PumpMessages() override {
    log.push_back("pump");
    if (on_pump) on_pump();
  }
  void RefreshIconCache() override { log.push_back("refresh"); }
  void DiscardQueuedInput() override { log.push_back("discard"); }
  void Close() override { log.push_back("close"); }
  // What the queue delivers while the repair pumps.
  std::function<void()> on_pump;
  // The window is gone: every box reads as cleared and disabled.
  void Destroy() {
    for (auto& [id, state] : options_) state = {false, false};
  }

 private:
  std::map<int, std::pair<bool, bool>> options_;  // checked, enabled
};

struct HandlersTest : ::testing::Test {
  MemoryRegistry memory;
  RecordingRegistry registry{memory};
  FakeRepairFiles files;
  FakeWindow window;
  ProgramGlobals globals;
  RepairGuard guard;
  MainWindowWorld world{window, registry, files, globals, guard};

  void SetText(RegistryRoot root, const std::string& key, const std::string& text) { PlantText(memory, key, text, root); }
  void SetInstallValue(const std::string& text) {
    memory.SetValue(kUser, "Software\\VidOvu\\E\\Install", "Path", RegType::Sz, text + '\0');
  }
};

// The window's log of a successful repair, from the lock to the outcome box.
const std::vector<std::string> kSuccessLog = {
    "disable", "caption 正在修复...", "pump",    "caption 刷新图标...",          "pump",
    "refresh", "enable",             "caption 一键修复", "discard", "box 提示 文件关联 修复成功 64"};

TEST(ProposedEExePath, AppendsTheProgramToTheEnvironmentDirectory) {
  EXPECT_EQ(ProposedEExePath("C:\\E\\lib\\"), "C:\\E\\e.exe");
  EXPECT_EQ(ProposedEExePath("C:\\Edit"), "C:\\Ee.exe");
  // Short values leave the bare name; an empty value proposes nothing.
  EXPECT_EQ(ProposedEExePath("ab\\"), "e.exe");
  EXPECT_EQ(ProposedEExePath(""), "");
}

TEST_F(HandlersTest, ProposesAnExistingEExeInTheBoxAndTheDialog) {
  SetInstallValue("C:\\raz\\lib\\");
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  OnMainWindowCreated(world);
  EXPECT_EQ(window.text, "C:\\raz\\e.exe");
  EXPECT_EQ(window.dialog_file_name, "C:\\raz\\e.exe");
}

TEST_F(HandlersTest, ProposesNothingWhenThePathIsNoProgramOrTheValueAbsent) {
  OnMainWindowCreated(world);
  EXPECT_THAT(window.log, IsEmpty());
  // Something of that name that the repair's check refuses (a folder, a
  // pattern's match) is not proposed either.
  SetInstallValue("C:\\raz\\lib\\");
  files.existing.insert("C:\\raz\\e.exe");
  OnMainWindowCreated(world);
  EXPECT_THAT(window.log, IsEmpty());
  EXPECT_EQ(window.dialog_file_name, "");
  // An empty value does not test "e.exe" in the current directory.
  SetInstallValue("");
  files.AddProgram("e.exe", "C:\\cwd\\e.exe");
  OnMainWindowCreated(world);
  EXPECT_THAT(window.log, IsEmpty());
}

// Only a class of its own counts: one that the repair would not write to (a
// class of another extension, a key inside one, a shell key) leaves the
// presets of the default ProgID.
TEST_F(HandlersTest, ForeignProgIdWithAnExistingIconDisablesTheIconOption) {
  SetText(kClasses, ".exe", "exefile");
  files.existing.insert("C:\\Tools\\lib.ico");
  for (const auto& [prog_id, own] : std::map<std::string, bool>{
           {"Tools.Fne", true}, {"exefile", false}, {"Tools.Fne\\Shell", false}, {"Folder", false}}) {
    FakeWindow fresh;
    SetText(kClasses, ".fne", prog_id);
    SetText(kClasses, prog_id + "\\DefaultIcon", "C:\\Tools\\lib.ico,0");
    SetText(kClasses, prog_id + "\\Shell\\复制到raz目录\\Command", "copy \"%1\"");
    OnMainWindowCreated({fresh, registry, files, globals, guard});
    EXPECT_EQ(fresh.IsEnabled(RepairOption::FneIcon), !own) << prog_id;
    EXPECT_TRUE(fresh.IsChecked(RepairOption::FneIcon));
    EXPECT_EQ(fresh.IsChecked(RepairOption::FneCopy), own) << prog_id;
    EXPECT_TRUE(fresh.IsEnabled(RepairOption::LibIcon));
  }
}

TEST_F(HandlersTest, IconTestsTheTextBeforeTheFirstCommaOnly) {
  files.existing.insert("C:\\Tools\\lib.ico");
  const std::map<std::string, bool> cases = {
      {"C:\\Tools\\lib.ico", true},         // no comma: tested whole
      {"\"C:\\Tools\\lib.ico\",0", false},  // quotes stay part of the name
      {",C:\\Tools\\lib.ico", false},       // nothing before the comma
      {"C:\\Tools\\lib.ico,0,1", true},
  };
  for (const auto& [icon, disabled] : cases) {
    FakeWindow fresh;
    MainWindowWorld w{fresh, registry, files, globals, guard};
    SetText(kClasses, ".lib", "Tools.Lib");
    SetText(kClasses, "Tools.Lib\\DefaultIcon", icon);
    OnMainWindowCreated(w);
    EXPECT_EQ(!fresh.IsEnabled(RepairOption::LibIcon), disabled) << icon;
  }
}

TEST_F(HandlersTest, IconCommaIsFoundCharacterByCharacter) {
  // 0x88 0x2C is one two-byte character: its second byte is not a comma.
  const std::string icon = std::string("C:\\\x88,.ico") + ",0";
  SetText(kClasses, ".fne", "Tools.Fne");
  SetText(kClasses, "Tools.Fne\\DefaultIcon", icon);
  files.existing.insert("C:\\\x88,.ico");
  OnMainWindowCreated(world);
  EXPECT_FALSE(window.IsEnabled(RepairOption::FneIcon));
}

TEST_F(HandlersTest, DefaultProgIdKeepsTheIconOptionAndCaseCounts) {
  SetText(kClasses, ".lib", "LIB.Document");
  SetText(kClasses, "LIB.Document\\DefaultIcon", "C:\\raz\\help\\lib.ico");
  SetText(kClasses, ".fne", "fne.document");
  SetText(kClasses, "fne.document\\DefaultIcon", "C:\\raz\\help\\fne.ico");
  files.existing = {"C:\\raz\\help\\lib.ico", "C:\\raz\\help\\fne.ico"};
  OnMainWindowCreated(world);
  EXPECT_TRUE(window.IsEnabled(RepairOption::LibIcon));
  EXPECT_FALSE(window.IsEnabled(RepairOption::FneIcon));  // lower case is another ProgID
}

TEST_F(HandlersTest, ExistingCopyVerbChecksTheCopyOption) {
  SetText(kClasses, ".lib", "LIB.Document");
  SetText(kClasses, "LIB.Document\\Shell\\复制到raz目录\\Command", "C:\\raz\\tools\\Ferrydrop.exe \"%1\"");
  SetText(kClasses, ".fne", "Tools.Fne");
  SetText(kClasses, "Tools.Fne\\Shell\\复制到raz目录\\Command", "");  // empty: not checked
  OnMainWindowCreated(world);
  EXPECT_TRUE(window.IsChecked(RepairOption::LibCopy));
  EXPECT_FALSE(window.IsChecked(RepairOption::FneCopy));
  // Other boxes keep their layout states.
  EXPECT_TRUE(window.IsChecked(RepairOption::FneIcon));
  EXPECT_FALSE(window.IsEnabled(RepairOption::EIcon));
  EXPECT_TRUE(window.IsChecked(RepairOption::EIcon));
}

TEST_F(HandlersTest, BlankBoxIsClearedAndAsksForTheProgram) {
  for (const std::string blanks : {"", "   ", "\xA1\xA1 \xA1\xA1"}) {
    window.log.clear();
    window.text = blanks;
    OnRepairClicked(world);
    EXPECT_THAT(window.log, ElementsAre("box 错误 请选择raz主程序 32", "text ", "focus")) << blanks;
  }
  EXPECT_EQ(window.caption, "一键修复(&E)");
  EXPECT_THAT(registry.log, IsEmpty());
  EXPECT_FALSE(globals.chosen_e_exe_path);
}

TEST_F(HandlersTest, MissingPathKeepsTheBoxAndWritesNothing) {
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  window.text = "C:\\raz\\e.exe\t";  // a tab is not trimmed
  OnRepairClicked(world);
  EXPECT_THAT(window.log, ElementsAre("box 错误 raz主程序路径错误 32", "focus"));
  EXPECT_EQ(window.text, "C:\\raz\\e.exe\t");
  EXPECT_EQ(window.caption, "一键修复(&E)");
  EXPECT_THAT(registry.log, IsEmpty());
  EXPECT_THAT(files.log, IsEmpty());
}

TEST_F(HandlersTest, SuccessfulRepairLocksRefreshesAndReports) {
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  window.text = " \xA1\xA1" "C:\\raz\\e.exe  ";
  OnRepairClicked(world);
  EXPECT_THAT(window.log, ElementsAreArray(kSuccessLog));
  // The box keeps its blanks; the registrations got the trimmed path.
  EXPECT_EQ(window.text, " \xA1\xA1" "C:\\raz\\e.exe  ");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, "E.Document\\DefaultIcon\\"), "C:\\raz\\e.exe,-127");
  EXPECT_EQ(memory.ReadRegistryText(kUser, "Software\\VidOvu\\E\\Install\\Path"), "C:\\raz\\lib\\");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, "FNE.Document\\DefaultIcon\\"), "C:\\raz\\help\\fne.ico");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, "LIB.Document\\DefaultIcon\\"), "C:\\raz\\help\\lib.ico");
  EXPECT_EQ(globals.chosen_e_exe_path, "C:\\raz\\e.exe");
  EXPECT_EQ(globals.environment_directory, "C:\\raz\\");
}

TEST_F(HandlersTest, FailedFirstPhaseStillRegistersLibrariesButSkipsTheRefresh) {
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  window.text = "C:\\raz\\e.exe";
  registry.FailClassesRootWrite(1);
  OnRepairClicked(world);
  EXPECT_THAT(window.log, ElementsAre("disable", "caption 正在修复...", "pump", "enable", "caption 一键修复",
                                      "discard", "box 错误 文件关联 修复失败 16"));
  EXPECT_EQ(memory.ReadRegistryText(kClasses, ".e\\"), "");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, ".fne\\"), "FNE.Document");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, ".lib\\"), "LIB.Document");
}

TEST_F(HandlersTest, ReadOnlyClassesRootReportsFailureAndUnlocks) {
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  window.text = "C:\\raz\\e.exe";
  memory.SetReadOnly(true);
  OnRepairClicked(world);
  EXPECT_TRUE(window.inputs_enabled);
  EXPECT_EQ(window.caption, "一键修复");
  EXPECT_EQ(window.log.back(), "box 错误 文件关联 修复失败 16");
}

TEST_F(HandlersTest, RelativeNameIsRegisteredAsItsFullPath) {
  files.AddProgram("e.exe", "C:\\cwd\\e.exe");
  window.text = "e.exe";
  OnRepairClicked(world);
  EXPECT_EQ(window.log.back(), "box 提示 文件关联 修复成功 64");
  EXPECT_EQ(window.text, "e.exe");
  EXPECT_EQ(globals.chosen_e_exe_path, "C:\\cwd\\e.exe");
  EXPECT_EQ(globals.environment_directory, "C:\\cwd\\");
  EXPECT_EQ(memory.ReadRegistryText(kUser, "Software\\VidOvu\\E\\Install\\Path"), "C:\\cwd\\lib\\");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, "E.Document\\DefaultIcon\\"), "C:\\cwd\\e.exe,-127");
  EXPECT_EQ(memory.ReadRegistryText(kClasses, "FNE.Document\\DefaultIcon\\"), "C:\\cwd\\help\\fne.ico");
  // A later repair replaces both texts.
  files.AddProgram("D:\\E\\e.exe", "D:\\E\\e.exe");
  window.text = "D:\\E\\e.exe";
  OnRepairClicked(world);
  EXPECT_EQ(globals.chosen_e_exe_path, "D:\\E\\e.exe");
  EXPECT_EQ(globals.environment_directory, "D:\\E\\");
  FreeProgramGlobals(globals);
  EXPECT_FALSE(globals.chosen_e_exe_path);
  EXPECT_FALSE(globals.environment_directory);
}

TEST_F(HandlersTest, PathThatIsNoProgramFileWritesNothing) {
  using Outcome = ProgramFileCheck::Outcome;
  files.existing = {"C:\\raz", "C:\\raz\\e.exe"};
  files.program_files["C:\\long\\e.exe"] = {Outcome::TooLong, {}};
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\raz", "raz主程序路径错误"},  // exists, but is no program file
      {"nothing.exe", "raz主程序路径错误"},
      {"C:\\long\\e.exe", "raz主程序路径过长，无法使用"},
  };
  for (const auto& [typed, box] : cases) {
    window.log.clear();
    window.text = typed;
    OnRepairClicked(world);
    EXPECT_THAT(window.log, ElementsAre("box 错误 " + std::string(box) + " 32", "focus")) << typed;
    EXPECT_EQ(window.text, typed);
  }
  EXPECT_THAT(registry.log, IsEmpty());
  EXPECT_THAT(files.log, IsEmpty());
  EXPECT_FALSE(globals.chosen_e_exe_path);
}

TEST(FitsFileFunctions, TheProgramAndTheLongestCarriedFileMustFit) {
  // "tools\Tallyscope.exe" is the longest name put beside e.exe: 20 bytes.
  const std::string dir_239 = "C:\\" + std::string(235, 'd') + "\\";
  EXPECT_TRUE(FitsFileFunctions(dir_239 + "e.exe"));
  EXPECT_FALSE(FitsFileFunctions(dir_239 + "d\\e.exe"));
  EXPECT_TRUE(FitsFileFunctions("C:\\" + std::string(256, 'e')));  // 259 bytes
  EXPECT_FALSE(FitsFileFunctions("C:\\" + std::string(257, 'e')));
}

// The window closes while the repair pumps: the close waits for the outcome
// box, and the registrations still see the options of the click.
TEST_F(HandlersTest, CloseDuringTheRepairWaitsAndTheRepairKeepsItsOptions) {
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  window.text = "C:\\raz\\e.exe";
  MemoryRegistry reference;
  {
    FakeWindow untouched;
    FakeRepairFiles reference_files = files;
    ProgramGlobals reference_globals;
    RepairGuard reference_guard;
    untouched.text = window.text;
    OnRepairClicked({untouched, reference, reference_files, reference_globals, reference_guard});
  }

  std::vector<bool> close_allowed;
  window.on_pump = [&] {
    close_allowed.push_back(OnCloseRequested(world));
    window.Destroy();
  };
  OnRepairClicked(world);
  EXPECT_THAT(close_allowed, ElementsAre(false, false));
  std::vector<std::string> closed_after = kSuccessLog;
  closed_after.push_back("close");
  EXPECT_THAT(window.log, ElementsAreArray(closed_after));
  EXPECT_EQ(memory.Dump(kClasses), reference.Dump(kClasses));
  EXPECT_TRUE(memory.RegistryItemExists(kClasses, "E8.Document\\Shell\\用记事本打开\\Command\\"));
  // Idle again: a close goes at once.
  EXPECT_TRUE(OnCloseRequested(world));
}

// A click queued on the button before the repair disabled it reaches the
// handler while the repair pumps.
TEST_F(HandlersTest, ClickDuringTheRepairStartsNothing) {
  files.AddProgram("C:\\raz\\e.exe", "C:\\raz\\e.exe");
  window.text = "C:\\raz\\e.exe";
  bool clicked = false;
  window.on_pump = [&] {
    if (!std::exchange(clicked, true)) OnRepairClicked(world);
  };
  OnRepairClicked(world);
  EXPECT_THAT(window.log, ElementsAreArray(kSuccessLog));
  // The next click after the end runs a repair again.
  window.on_pump = nullptr;
  window.log.clear();
  OnRepairClicked(world);
  EXPECT_EQ(window.log.back(), "box 提示 文件关联 修复成功 64");
}

TEST_F(HandlersTest, EnterRunsTheRepairWhateverTheShiftStateAndOtherKeysPass) {
  window.text = " ";
  for (int shift : {0, 1, 2, 4}) {
    window.log.clear();
    EXPECT_EQ(OnPathEditKeyDown(world, kKeyEnter, shift), std::optional<bool>(false));
    EXPECT_THAT(window.log, ElementsAre("box 错误 请选择raz主程序 32", "text ", "focus"));
  }
  window.log.clear();
  for (int key : {int{'A'}, 0x09, 0x1B, 0x6C}) EXPECT_EQ(OnPathEditKeyDown(world, key, 0), std::nullopt);
  EXPECT_THAT(window.log, IsEmpty());
}

TEST(MainWindowLayout, ControlsSitInsideTheirParentsAndIdsAreUnique) {
  std::map<int, const ControlLayout*> seen;
  for (const ControlLayout& control : MainWindowLayout()) {
    EXPECT_TRUE(seen.emplace(control.id, &control).second) << control.id;
    if (control.parent == kIdWindow || control.kind == ControlKind::Banner) continue;
    ASSERT_TRUE(seen.count(control.parent)) << control.id << " comes before its frame";
    const ControlLayout& frame = *seen[control.parent];
    EXPECT_LE(control.left + control.width, frame.width) << control.id;
    EXPECT_LE(control.top + control.height, frame.height) << control.id;
  }
  // Every option has its check box.
  for (int o = 0; o < static_cast<int>(kRepairOptionCount); ++o) {
    const ControlLayout* box = FindControl(OptionControlId(static_cast<RepairOption>(o)));
    ASSERT_NE(box, nullptr) << o;
    EXPECT_EQ(box->kind, ControlKind::CheckBox);
  }
}

}  // namespace
}  // namespace raz
