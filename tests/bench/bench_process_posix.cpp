#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "tests/bench/bench_process.h"

namespace raz::bench {

int RunSelf(const char* self, const std::string& argument) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    execl(self, self, argument.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace raz::bench
