// What a repair leaves in an empty registry with every option checked and
// enabled and e.exe at C:\raz\e.exe: RegisterEFileTypes, then RegisterFneType
// and RegisterLibType with the environment directory C:\raz\. One entry per
// line as MemoryRegistry::Dump writes them, "key|name|type|data" (type 1 is
// REG_SZ; an empty name is the default value) and "key|" for a key that holds
// no values. Listed by type; compare after sorting.
#pragma once

#include <string>
#include <vector>

namespace raz {

// The keys of the six file types under HKEY_CLASSES_ROOT: the extensions and
// their default ProgIDs.
inline constexpr const char* kFileTypeKeys[] = {".e",          ".e8",          ".ec",          ".edb",
                                                ".fne",        ".lib",         "E.Document",   "E8.Document",
                                                "EC.Document", "EDB.Document", "FNE.Document", "LIB.Document"};

inline constexpr const char* kFullRepairEExePath = "C:\\raz\\e.exe";
inline constexpr const char* kFullRepairEnvironmentDirectory = "C:\\raz\\";

inline std::vector<std::string> ExpectedClassesRootAfterFullRepair() {
  return {
      // .e
      ".e||1|E.Document",
      ".e\\ShellNew|NullFile|1|",
      "E.Document||1|易程序",
      "E.Document\\DefaultIcon||1|C:\\raz\\e.exe,-127",
      "E.Document\\Shell||1|Open",
      "E.Document\\Shell\\Open|",
      "E.Document\\Shell\\Open\\Command||1|\"C:\\raz\\e.exe\" \"%1\"",
      // .e8
      ".e8||1|E8.Document",
      ".e8\\ShellNew|NullFile|1|",
      "E8.Document||1|易程序配置信息",
      "E8.Document\\DefaultIcon||1|C:\\raz\\e.exe,-134",
      "E8.Document\\Shell||1|Open",
      "E8.Document\\Shell\\Open|",
      "E8.Document\\Shell\\Open\\Command||1|\"C:\\raz\\e.exe\" \"%1\"",
      "E8.Document\\Shell\\用raz打开|",
      "E8.Document\\Shell\\用raz打开\\Command||1|\"C:\\raz\\e.exe\" \"%1\"",
      "E8.Document\\Shell\\用记事本打开|",
      "E8.Document\\Shell\\用记事本打开\\Command||1|notepad.exe \"%1\"",
      // .ec
      ".ec||1|EC.Document",
      "EC.Document||1|raz模块",
      "EC.Document\\DefaultIcon||1|C:\\raz\\help\\ec.ico",
      // .edb
      ".edb||1|EDB.Document",
      "EDB.Document||1|raz数据库",
      "EDB.Document\\DefaultIcon||1|C:\\raz\\help\\edb.ico",
      "EDB.Document\\Shell||1|Open",
      "EDB.Document\\Shell\\Open|",
      "EDB.Document\\Shell\\Open\\Command||1|\"C:\\raz\\tools\\Tallyscope.exe\" \"%1\"",
      // .fne
      ".fne||1|FNE.Document",
      "FNE.Document||1|raz支持库",
      "FNE.Document\\DefaultIcon||1|C:\\raz\\help\\fne.ico",
      "FNE.Document\\Shell|",
      "FNE.Document\\Shell\\复制到raz目录|",
      "FNE.Document\\Shell\\复制到raz目录\\Command||1|\"C:\\raz\\tools\\Ferrydrop.exe\" \"%1\"",
      // .lib: no description of its own
      ".lib||1|LIB.Document",
      "LIB.Document|",
      "LIB.Document\\DefaultIcon||1|C:\\raz\\help\\lib.ico",
      "LIB.Document\\Shell|",
      "LIB.Document\\Shell\\复制到raz目录|",
      "LIB.Document\\Shell\\复制到raz目录\\Command||1|\"C:\\raz\\tools\\Ferrydrop.exe\" \"%1\"",
  };
}

// The install value under HKEY_CURRENT_USER after the same repair.
inline std::vector<std::string> ExpectedCurrentUserAfterFullRepair() {
  return {"Software\\VidOvu\\E\\Install|Path|1|C:\\raz\\lib\\"};
}

}  // namespace raz
