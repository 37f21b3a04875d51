#include "repair/main_window_handlers.h"

#include "common/environment_dir.h"
#include "common/gbk_text.h"
#include "repair/progid_readers.h"
#include "repair/register_e_types.h"
#include "repair/register_libraries.h"
#include "repair/repair_paths.h"

namespace raz {
namespace {

constexpr std::string_view kCaptionError = "错误";
constexpr std::string_view kCaptionNotice = "提示";

// One library type's options and its default ProgID.
struct LibraryPreset {
  std::string_view extension;
  std::string_view default_prog_id;
  RepairOption icon_option;
  RepairOption copy_option;
};

// A foreign ProgID whose icon file exists keeps its icon: the icon option is
// disabled (the registration treats a disabled option as off). A ProgID that
// already has the copy verb is offered with the copy option checked.
// The ProgID is judged as the repair judges it, so the boxes show what the
// repair will write: one that is not a class of its own stands for the default.
void PresetLibraryOptions(const MainWindowWorld& world, OtherExtensionClasses& others,
                          const LibraryPreset& preset) {
  std::string prog_id = ReadExtensionProgId(world.registry, preset.extension, "");
  if (prog_id.empty()) return;
  if (!IsOwnClass(others, prog_id, preset.default_prog_id)) prog_id = preset.default_prog_id;
  if (prog_id != preset.default_prog_id) {
    std::string icon = ReadProgIdIcon(world.registry, prog_id);
    const std::size_t comma = FindFirstComma(icon);
    if (comma != kNoPos) icon.resize(comma);
    if (world.files.Exists(icon)) world.view.DisableOption(preset.icon_option);
  }
  const std::string command =
      world.registry.ReadRegistryText(RegistryRoot::ClassesRoot, prog_id + "\\Shell\\复制到raz目录\\Command\\");
  if (!command.empty()) world.view.CheckOption(preset.copy_option);
}

// One repair, from the path check to the outcome box.
void RunRepair(const MainWindowWorld& world) {
  MainWindowView& view = world.view;
  // Taken before anything can pump messages: the registrations read these.
  const OptionSnapshot options(view);
  const std::string typed = Trim(view.PathText());
  if (typed.empty()) {
    view.ShowMessage("请选择raz主程序", kCaptionError, kBoxIconQuestion);
    view.SetPathText("");
    view.FocusPath();
    return;
  }
  // Only an existing file will do, named by its full path from here on.
  const ProgramFileCheck check = world.files.ProgramFile(typed);
  if (check.outcome != ProgramFileCheck::Outcome::Found) {
    view.ShowMessage(check.outcome == ProgramFileCheck::Outcome::TooLong ? kPathTooLong : "raz主程序路径错误",
                     kCaptionError, kBoxIconQuestion);
    view.FocusPath();
    return;
  }
  const std::string& path = check.path;

  view.SetInputsEnabled(false);
  view.SetRepairCaption(kCaptionRepairing);
  view.PumpMessages();

  world.globals.chosen_e_exe_path = path;
  world.globals.environment_directory = EnvironmentDirectoryOf(path);

  OtherExtensionClasses others(world.registry);
  const RepairContext context{world.registry, options, world.files, &others};
  const bool outcome = RegisterEFileTypes(context, path);
  RegisterFneType(context, *world.globals.environment_directory);
  RegisterLibType(context, *world.globals.environment_directory);

  if (outcome) {
    view.SetRepairCaption(kCaptionRefreshing);
    view.PumpMessages();
    view.RefreshIconCache();
  }

  view.SetInputsEnabled(true);
  view.SetRepairCaption(kCaptionIdle);
  // Keys and clicks that waited through the repair would answer the box unseen.
  view.DiscardQueuedInput();
  if (outcome) {
    view.ShowMessage("文件关联 修复成功", kCaptionNotice, kBoxIconInformation);
  } else {
    view.ShowMessage("文件关联 修复失败", kCaptionError, kBoxIconError);
  }
}

}  // namespace

std::string ProposedEExePath(std::string_view install_value) {
  if (install_value.empty()) return {};
  return EnvironmentDirFromInstallValue(install_value) + "e.exe";
}

void OnMainWindowCreated(const MainWindowWorld& world) {
  const std::string proposal =
      ProposedEExePath(world.registry.ReadRegistryText(RegistryRoot::CurrentUser, kInstallValuePath));
  // The same test as the repair's: a folder or a pattern is not proposed.
  if (world.files.ProgramFile(proposal).outcome == ProgramFileCheck::Outcome::Found) {
    world.view.SetDialogFileName(proposal);
    world.view.SetPathText(proposal);
  }
  OtherExtensionClasses others(world.registry);
  PresetLibraryOptions(world, others, {".lib", "LIB.Document", RepairOption::LibIcon, RepairOption::LibCopy});
  PresetLibraryOptions(world, others, {".fne", "FNE.Document", RepairOption::FneIcon, RepairOption::FneCopy});
}

void OnRepairClicked(const MainWindowWorld& world) {
  RepairGuard& guard = world.guard;
  // A click that arrives while a repair runs (one queued on the button before
  // the repair disabled it, delivered when the repair pumps) starts nothing.
  if (guard.running) return;
  guard.running = true;
  RunRepair(world);
  guard.running = false;
  if (guard.close_held) {
    guard.close_held = false;
    world.view.Close();
  }
}

bool OnCloseRequested(const MainWindowWorld& world) {
  if (!world.guard.running) return true;
  world.guard.close_held = true;
  return false;
}

std::optional<bool> OnPathEditKeyDown(const MainWindowWorld& world, int key_code, int /*shift_state*/) {
  if (key_code != kKeyEnter) return std::nullopt;
  OnRepairClicked(world);
  return false;
}

void FreeProgramGlobals(ProgramGlobals& globals) {
  globals.chosen_e_exe_path.reset();
  globals.environment_directory.reset();
}

}  // namespace raz
