// Runs a command and prints its wall time and the CPU time (user and system) it and its children
// used, in seconds with microsecond resolution: "WALL CPU"; with --memory also the peak resident
// memory of the largest of them, in KiB: "WALL CPU KIB". The command's output goes to /dev/null;
// the exit status is the command's.
//
//   run_timed [--memory] COMMAND [ARGUMENTS...]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  int first = 1;
  const bool memory = argc > 1 && std::strcmp(argv[1], "--memory") == 0;
  if (memory) ++first;
  if (argc <= first) {
    std::fprintf(stderr, "usage: run_timed [--memory] COMMAND [ARGUMENTS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execvp(argv[first], argv + first);
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return 1;
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  const double cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  if (memory)
    std::printf("%.6f %.6f %ld\n", wall.count(), cpu, usage.ru_maxrss);
  else
    std::printf("%.6f %.6f\n", wall.count(), cpu);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
