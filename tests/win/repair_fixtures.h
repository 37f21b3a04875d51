// What the Windows tests of the repair share: the file types' keys, removed or
// written out, and the answer to a program's message box.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "shared/repair_expected_tree.h"
#include "win/driver/driver.h"
#include "win/driver/registry_dump.h"

namespace raz::test {

// Removes the twelve file-type keys, the `more` keys a test planted, and the
// environment's install value.
inline void RemoveFileTypeKeys(std::initializer_list<const char*> more = {}) {
  for (const char* key : kFileTypeKeys) DeleteRegistryTree(HKEY_CLASSES_ROOT, key);
  for (const char* key : more) DeleteRegistryTree(HKEY_CLASSES_ROOT, key);
  DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\VidOvu");
}

// The twelve keys and the `more` keys, one line per value or empty key.
inline std::vector<std::string> DumpFileTypeKeys(std::initializer_list<const char*> more = {}) {
  std::vector<std::string> lines;
  std::vector<const char*> keys(std::begin(kFileTypeKeys), std::end(kFileTypeKeys));
  keys.insert(keys.end(), more);
  for (const char* key : keys) {
    for (std::string& line : DumpRegistry(HKEY_CLASSES_ROOT, key)) lines.push_back(std::move(line));
  }
  return lines;
}

// Waits for a message box of the program with one button, the caption and the
// text, answers it and waits until it is gone.
inline void AnswerBox(DWORD pid, const std::string& caption, const std::string& text) {
  const auto box = WaitForMessageBox(pid, 30000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, caption);
  EXPECT_EQ(box->text, text);
  EXPECT_EQ(box->buttons.size(), 1u);
  AnswerMessageBox(box->box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->box); }));
}

}  // namespace raz::test
