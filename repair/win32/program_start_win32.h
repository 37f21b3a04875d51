// The start of Ravelmend's thread, undone when the program ends.
#pragma once

#include <windows.h>

namespace raz {

// Initialises OLE for the calling thread (the open-file dialog's shell parts
// expect it) and makes the folder of the program file the current directory,
// so relative paths resolve there until a confirmed open-file dialog changes
// it. The destructor ends OLE for the thread when it was started here.
class ProgramStart {
 public:
  ProgramStart();
  ~ProgramStart();
  ProgramStart(const ProgramStart&) = delete;
  ProgramStart& operator=(const ProgramStart&) = delete;

 private:
  HRESULT ole_;
};

}  // namespace raz
