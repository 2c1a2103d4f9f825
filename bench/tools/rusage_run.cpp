// Runs a program and reports what the whole process cost, for the benchmark
// scripts: rusage_run <report file> <program> [arguments...]. Standard input
// and output are the wrapper's own. The report is one line: wall time,
// user CPU time and system CPU time in microseconds, and the peak resident
// memory in kilobytes. The exit status is the program's.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: rusage_run <report file> <program> [arguments...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("rusage_run: fork");
    return 2;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    std::perror("rusage_run: exec");
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) {
    std::perror("rusage_run: wait4");
    return 2;
  }
  const auto wall = std::chrono::steady_clock::now() - start;
  const auto micro = [](const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec; };
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) {
    std::perror("rusage_run: report file");
    return 2;
  }
  std::fprintf(report, "%lld %lld %lld %ld\n",
               static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(wall).count()),
               micro(usage.ru_utime), micro(usage.ru_stime), usage.ru_maxrss);
  std::fclose(report);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
