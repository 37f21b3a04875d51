// Tallyscope as a user meets it: started with a database on its command line,
// its password window, failure boxes, closing a database and its association.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "registry/registry_win32.h"
#include "tests/shared/edb_writer.h"
#include "viewer/win32/menu_ids.h"
#include "viewer_paths.h"
#include "win/driver/driver.h"
#include "win/driver/tallyscope.h"

namespace raz::viewer {
namespace {

using edb::FieldKind;
using edb::testing::BoolValue;
using edb::testing::BytesValue;
using edb::testing::EdbWriter;
using edb::testing::FieldSpec;
using edb::testing::IntValue;
using test::Program;
using namespace test::tallyscope;

struct ViewerProgramTest : ::testing::Test {
  edb::testing::ScratchDir dir;

  std::string Database(const std::string& name, int records, const std::string& password = "") {
    const std::string path = dir.File(name);
    EdbWriter writer(path, {{"名称", FieldKind::kText, 12}, {"数量", FieldKind::kInt32}, {"OK", FieldKind::kBool}},
                     password);
    for (int i = 1; i <= records; ++i) writer.AddRecord({BytesValue("行" + std::to_string(i)), IntValue(i * 10), BoolValue(i % 2)});
    EXPECT_TRUE(writer.Finish());
    return path;
  }
};

// Chooses `path` in the open-file dialog of "打开数据库" (the driver waits for a
// program started with a database until its load is over; this road does not).
bool OpenThroughDialog(const Program& viewer, HWND main, const std::string& path) {
  Menu(main, kMenuOpen);
  const auto dialog = test::WaitForMessageBox(viewer.pid());
  if (!dialog) return false;
  HWND name = test::ChildById(dialog->box, cmb13);
  if (!name) name = test::ChildById(dialog->box, edt1);
  if (!name) return false;
  test::SetText(name, path);
  test::AnswerMessageBox(dialog->box, IDOK);
  return test::WaitUntil([&] { return !IsWindow(dialog->box); });
}

TEST_F(ViewerProgramTest, OpensTheDatabaseOnItsCommandLine) {
  const std::string path = Database("shown.edb", 3);
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);
  ASSERT_TRUE(StatusReads(main, "共有记录：3"));
  EXPECT_EQ(test::TextOf(main), "Tallyscope - " + path);

  RECT window = {};
  GetWindowRect(main, &window);
  EXPECT_EQ(window.right - window.left, 640);
  EXPECT_EQ(window.bottom - window.top, 480);
  EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);

  HWND grid = Grid(main);
  EXPECT_EQ(test::ListViewItemCount(grid), 3);
  ASSERT_EQ(test::ListViewColumnCount(grid), 4);
  EXPECT_EQ(test::ListViewColumnText(grid, 1), "名称");
  EXPECT_EQ(test::ListViewColumnText(grid, 0), "");
  EXPECT_EQ(test::ListViewText(grid, 2, 0), "3");
  EXPECT_EQ(test::ListViewText(grid, 2, 1), "行3");
  EXPECT_EQ(test::ListViewText(grid, 2, 2), "30");
  EXPECT_EQ(test::ListViewText(grid, 2, 3), "真");
  EXPECT_EQ(test::ListViewColumnWidth(grid, 0), 50);
  EXPECT_EQ(test::ListViewColumnWidth(grid, 1), 60);

  // The grid fills the client area above the status bar, also after a resize.
  SetWindowPos(main, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
  RECT client = {};
  GetClientRect(main, &client);
  const RECT status = test::RectIn(Status(main), main);
  const RECT placed = test::RectIn(grid, main);
  EXPECT_EQ(placed.left, 0);
  EXPECT_EQ(placed.top, 0);
  EXPECT_EQ(placed.right, client.right);
  EXPECT_EQ(placed.bottom, status.top);

  // Cancelling the open-file dialog leaves the database open.
  Menu(main, kMenuOpen);
  const auto dialog = test::WaitForMessageBox(viewer.pid());
  ASSERT_TRUE(dialog);
  test::AnswerMessageBox(dialog->box, IDCANCEL);
  ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(dialog->box); }));
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 500));
  EXPECT_EQ(test::TextOf(main), "Tallyscope - " + path);
  EXPECT_EQ(test::TextOf(Status(main)), "共有记录：3");

  // Once another database is open, neither the command line's message sent
  // again nor a drop message without a drop opens anything.
  const std::string other = Database("other.edb", 2);
  ASSERT_TRUE(OpenThroughDialog(viewer, main, other));
  ASSERT_TRUE(StatusReads(main, "共有记录：2"));
  PostMessageA(main, kOpenCommandLineMessage, 0, 0);
  PostMessageA(main, kFilesDroppedMessage, 0, 0);
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 1000));
  EXPECT_EQ(test::TextOf(main), "Tallyscope - " + other);
  EXPECT_EQ(test::TextOf(Status(main)), "共有记录：2");

  // "关闭数据库": 1 x 1, title and status cleared.
  Menu(main, kMenuClose);
  ASSERT_TRUE(test::WaitUntil([&] { return test::TextOf(main) == "Tallyscope"; }));
  EXPECT_EQ(test::ListViewItemCount(grid), 0);
  EXPECT_EQ(test::ListViewColumnCount(grid), 1);
  EXPECT_EQ(test::TextOf(Status(main)), "");

  // Esc closes the window and ends the program.
  test::PressKey(grid, VK_ESCAPE);
  ASSERT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(viewer.ExitCode(), 0u);
}

TEST_F(ViewerProgramTest, ShowsItsEmptyMainWindowAndItsAboutBoxAndEscClosesIt) {
  Program viewer(RAZ_TALLYSCOPE_EXE, "");
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);
  EXPECT_EQ(test::TextOf(main), "Tallyscope");
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_OVERLAPPEDWINDOW, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
  // The grid as designed (5 x 5) until something is opened.
  EXPECT_EQ(test::ListViewColumnCount(Grid(main)), 5);
  EXPECT_EQ(test::ListViewItemCount(Grid(main)), 4);
  EXPECT_EQ(test::TextOf(Status(main)), "");

  // "关于": the system's About box names the program in its title and text.
  Menu(main, kMenuAbout);
  const auto about = test::WaitForMessageBox(viewer.pid());
  ASSERT_TRUE(about);
  EXPECT_NE(about->caption.find("Tallyscope V 1.0"), std::string::npos) << about->caption;
  EXPECT_TRUE(test::ChildByText(about->box, "Tallyscope V 1.0"));
  test::AnswerMessageBox(about->box, IDOK);
  ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(about->box); }));

  test::PressKey(main, VK_ESCAPE);
  ASSERT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(viewer.ExitCode(), 0u);
}

TEST_F(ViewerProgramTest, AsksForThePasswordAndKeepsAskingOnBlanks) {
  const std::string path = Database("locked.edb", 2, " key ");
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
  HWND password = viewer.WaitForWindow(nullptr, kPasswordTitle);
  ASSERT_TRUE(password);
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  RECT pw = {}, mw = {};
  GetWindowRect(password, &pw);
  GetWindowRect(main, &mw);
  EXPECT_EQ(pw.right - pw.left, 340);
  EXPECT_EQ(pw.bottom - pw.top, 183);
  EXPECT_NEAR(pw.left, mw.left + ((mw.right - mw.left) - 340) / 2, 1);
  EXPECT_NEAR(pw.top, mw.top + ((mw.bottom - mw.top) - 183) / 2, 1);
  EXPECT_FALSE(IsWindowEnabled(main));

  HWND edit = test::ChildById(password, kPasswordEditId);
  ASSERT_TRUE(edit);
  EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(test::TextOf(test::ChildById(password, kPasswordLabelId)), "请输入数据库密码");
  HWND ok = test::ChildByText(password, "确定(&E)");
  ASSERT_TRUE(ok);

  test::SetText(edit, " \xA1\xA1 ");
  test::Click(ok);
  Sleep(500);
  EXPECT_TRUE(IsWindow(password));

  test::SetText(edit, " key ");
  test::Click(ok);
  ASSERT_TRUE(StatusReads(main, "共有记录：2"));
  EXPECT_FALSE(IsWindow(password));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(ViewerProgramTest, CancelledPasswordLeavesEverythingClosedAndSilent) {
  const std::string path = Database("locked.edb", 2, "key");
  const struct {
    const char* how;
    void (*cancel)(HWND password);
  } cancels[] = {
      {"取消", [](HWND password) { test::Click(test::ChildByText(password, "取消(&C)")); }},
      {"Esc", [](HWND password) { test::PressKey(test::ChildById(password, kPasswordEditId), VK_ESCAPE); }},
      {"close box", [](HWND password) { PostMessageA(password, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& c : cancels) {
    Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
    HWND password = viewer.WaitForWindow(nullptr, kPasswordTitle);
    ASSERT_TRUE(password) << c.how;
    c.cancel(password);
    HWND main = viewer.WaitForWindow(kMainClass, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(password); })) << c.how;
    EXPECT_TRUE(NoBoxWithin(viewer.pid(), 1000)) << c.how;
    EXPECT_EQ(test::TextOf(main), "Tallyscope") << c.how;
    EXPECT_EQ(test::TextOf(Status(main)), "") << c.how;
    EXPECT_EQ(test::ListViewColumnCount(Grid(main)), 1) << c.how;
    EXPECT_TRUE(IsWindowEnabled(main)) << c.how;
  }
}

TEST_F(ViewerProgramTest, WrongPasswordShowsTheEngineCodeAndTextOnce) {
  const std::string path = Database("locked.edb", 2, "key");
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
  HWND password = viewer.WaitForWindow(nullptr, kPasswordTitle);
  ASSERT_TRUE(password);
  test::SetText(test::ChildById(password, kPasswordEditId), "nope");
  // Esc would cancel; the OK button submits.
  test::Click(test::ChildByText(password, "确定(&E)"));
  const auto box = test::WaitForMessageBox(viewer.pid());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text, "打开raz数据库失败\r\n错误代码：-78\r\n错误信息：未提供数据库访问密码或提供了错误的密码\r\n" + path);
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  EXPECT_EQ(test::TextOf(Status(main)), "打开数据库失败");
  test::AnswerMessageBox(box->box, IDOK);
  EXPECT_FALSE(viewer.WaitForWindow(nullptr, kPasswordTitle, 1000));
}

TEST_F(ViewerProgramTest, AFolderOnTheCommandLineShowsTheFailureBox) {
  // The folder exists, so it is opened; the engine looks for "<folder>.EDB".
  const std::string folder = dir.File("folder");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + folder + "\"");
  const auto box = test::WaitForMessageBox(viewer.pid());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "错误");
  EXPECT_EQ(box->text, "打开raz数据库失败\r\n错误代码：-3\r\n错误信息：指定文件未找到\r\n" + folder);
  test::AnswerMessageBox(box->box, IDOK);
}

TEST_F(ViewerProgramTest, NothingHappensForAMissingCommandLineFile) {
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + dir.File("missing.edb") + "\"");
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 1500));
  EXPECT_EQ(test::TextOf(main), "Tallyscope");
}

TEST_F(ViewerProgramTest, LoadsAHundredThousandRecordsFromItsCommandLine) {
  const std::string path = Database("large.edb", 100000);
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);
  ASSERT_TRUE(test::WaitUntil([&] { return test::TextOf(Status(main)) == "共有记录：100000"; }, 60000));
  EXPECT_EQ(test::ListViewItemCount(Grid(main)), 100000);
  EXPECT_EQ(test::ListViewText(Grid(main), 99999, 0), "100000");
  EXPECT_EQ(test::ListViewText(Grid(main), 99999, 2), "1000000");
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(ViewerProgramTest, MenuCommandsDuringALoadWaitForItOrAreRefused) {
  const std::string path = Database("busy.edb", 400000);
  Program viewer(RAZ_TALLYSCOPE_EXE, "");
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);
  ASSERT_TRUE(OpenThroughDialog(viewer, main, path));
  ASSERT_TRUE(test::WaitUntil([&] { return !IsWindowEnabled(main); }, 20000));
  // A second open is refused (no open-file dialog); closing the database
  // comes once the load is over, so nothing is closed under the loader.
  Menu(main, kMenuOpen);
  Menu(main, kMenuClose);
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 500));
  ASSERT_TRUE(test::WaitUntil([&] { return IsWindowEnabled(main) && test::TextOf(main) == "Tallyscope"; }, 60000));
  EXPECT_EQ(test::TextOf(Status(main)), "");
  EXPECT_EQ(test::ListViewColumnCount(Grid(main)), 1);
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 500));

  // "退出" during a load ends the program once the load is over.
  ASSERT_TRUE(OpenThroughDialog(viewer, main, path));
  ASSERT_TRUE(test::WaitUntil([&] { return !IsWindowEnabled(main); }, 20000));
  Menu(main, kMenuExit);
  ASSERT_TRUE(viewer.WaitForExit(60000));
  EXPECT_EQ(viewer.ExitCode(), 0u);
}

TEST_F(ViewerProgramTest, ThePasswordWindowHoldsOffOtherOpensAndTheExit) {
  const std::string path = Database("locked.edb", 2, "key");
  Program viewer(RAZ_TALLYSCOPE_EXE, "\"" + path + "\"");
  HWND password = viewer.WaitForWindow(nullptr, kPasswordTitle);
  ASSERT_TRUE(password);
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  Menu(main, kMenuOpen);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(NoBoxWithin(viewer.pid(), 1000));
  EXPECT_TRUE(IsWindow(main));
  // The open goes on with the password; the close comes after it.
  test::SetText(test::ChildById(password, kPasswordEditId), "key");
  test::Click(test::ChildByText(password, "确定(&E)"));
  ASSERT_TRUE(viewer.WaitForExit());
  EXPECT_EQ(viewer.ExitCode(), 0u);
}

struct ViewerAssociationTest : ViewerProgramTest {
  Win32Registry registry;
  const char* items[4] = {".edb\\Content Type", ".edb\\", "edbfile\\shell\\open\\command\\", "edbfile\\DefaultIcon\\"};
  void Clean() {
    for (const char* item : items) registry.DeleteRegistryItem(RegistryRoot::ClassesRoot, item);
  }
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  std::string Read(const char* item) { return registry.ReadRegistryText(RegistryRoot::ClassesRoot, item, "<none>"); }
  static void Expect(DWORD pid, const std::string& text, const std::string& caption) {
    const auto box = test::WaitForMessageBox(pid);
    ASSERT_TRUE(box) << text;
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->caption, caption);
    test::AnswerMessageBox(box->box, IDOK);
    test::WaitUntil([&] { return !IsWindow(box->box); });
  }
};

TEST_F(ViewerAssociationTest, SetsAndCancelsTheEdbAssociation) {
  Program viewer(RAZ_TALLYSCOPE_EXE, "");
  HWND main = viewer.WaitForWindow(kMainClass, nullptr);
  ASSERT_TRUE(main);

  Menu(main, kMenuSetAssociation);
  Expect(viewer.pid(), "设置文件关联成功", "提示");
  EXPECT_EQ(Read(".edb\\"), "edbfile");
  EXPECT_EQ(Read(".edb\\Content Type"), "application/edbfile");
  EXPECT_EQ(Read("edbfile\\shell\\open\\command\\"), std::string("\"") + RAZ_TALLYSCOPE_EXE + "\"  \"%1\"");
  EXPECT_EQ(Read("edbfile\\DefaultIcon\\"), std::string(RAZ_TALLYSCOPE_EXE) + ",0");

  // The registered command opens a database with its path quoted.
  const std::string path = Database("by shell.edb", 1);
  std::string command = Read("edbfile\\shell\\open\\command\\");
  command.replace(command.find("%1"), 2, path);
  Program shell = Program::FromCommandLine(command);
  HWND opened = shell.WaitForWindow(kMainClass, ("Tallyscope - " + path).c_str());
  EXPECT_TRUE(opened);

  Menu(main, kMenuCancelAssociation);
  Expect(viewer.pid(), "取消文件关联成功", "提示");
  for (const char* item : items) EXPECT_FALSE(registry.RegistryItemExists(RegistryRoot::ClassesRoot, item)) << item;

  Menu(main, kMenuCancelAssociation);
  Expect(viewer.pid(), "取消文件关联成功", "提示");
}

}  // namespace
}  // namespace raz::viewer
