// The engine's last error code of the calling thread. Each platform keeps it
// in thread storage of its own (thread_error_*.cpp): a thread-local variable
// on POSIX hosts, and on Windows a TLS slot that holds the code itself, since
// there the compiler's emulated thread-local variables cost a call through
// the threads library at every access, and the engine sets the code at every
// field read.
#pragma once

#include <cstdint>

namespace raz::edb {

// The code the last operation on this thread left; 0 on a thread that has
// run none.
std::int32_t ThreadError();
void SetThreadError(std::int32_t code);

}  // namespace raz::edb
