// A shared object that the tests preload into the program to make a call
// of the system fail as it may fail on a real system.
//
// One allocation fails, as memory that runs out makes it fail: the allocation
// numbered DORVIX_FAIL_ALLOCATION, counted from the start of main (the
// program's static objects are made before, where nothing can end a run
// in order), by malloc, calloc, realloc or an aligned allocation, returns
// no memory. With DORVIX_ALLOCATION_COUNT naming a file, the number of
// allocations the run made from the start of main is written there at its
// exit. Allocations are served by the C library's own allocator.
//
// Every rename fails, as it fails for a file of another user in a sticky
// folder or for a mount point, with the error number DORVIX_FAIL_RENAME.
// With DORVIX_NO_EXCHANGE set, an exchange of two names fails with
// EINVAL, as on a file system that cannot exchange names.
//
// Another program is played at the first rename or removal of a
// temporary name, just before it is made: with DORVIX_SWAP_AT_RENAME
// naming a file, it swaps that file and the temporary name; with
// DORVIX_TAKE_AT_RENAME naming a file, it renames that file over the
// temporary name; with DORVIX_REMOVE_AT_RENAME set, it removes the
// temporary name. With DORVIX_TAKE_ASIDE_AT_RENAME naming a file, it
// renames that file over the destination of the first rename (not an
// exchange) to a temporary name, just before it is made: the name a file
// given up is moved to before it is removed. With DORVIX_PLAYED_AT naming
// a file, the name where the other program was played is written there.

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
}

namespace {

bool counting = false;  // from the start of main
long long allocations = 0;
long long failing = 0;  // the allocation that fails (0: none)

// True when this allocation is the one to fail.
bool fails() {
  if (!counting) return false;
  if (++allocations != failing) return false;
  errno = ENOMEM;
  return true;
}

using Main = int (*)(int, char**, char**);
Main program_main = nullptr;

int counted_main(int argc, char** argv, char** envp) {
  if (const char* n = std::getenv("DORVIX_FAIL_ALLOCATION")) failing = std::atoll(n);
  counting = true;
  return program_main(argc, argv, envp);
}

__attribute__((destructor)) void tell_count() {
  const char* path = std::getenv("DORVIX_ALLOCATION_COUNT");
  if (path == nullptr || !counting) return;
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%lld\n", allocations);
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (::write(fd, text, static_cast<std::size_t>(n)) != n) {
    // Nothing to do: the test finds no count.
  }
  ::close(fd);
}

int system_renameat2(int from_dir, const char* from, int to_dir, const char* to, unsigned int flags) {
  using Renameat2 = int (*)(int, const char*, int, const char*, unsigned int);
  static const auto call = reinterpret_cast<Renameat2>(::dlsym(RTLD_NEXT, "renameat2"));
  return call(from_dir, from, to_dir, to, flags);
}

int system_unlink(const char* path) {
  using Unlink = int (*)(const char*);
  static const auto call = reinterpret_cast<Unlink>(::dlsym(RTLD_NEXT, "unlink"));
  return call(path);
}

bool temporary(const char* name) { return std::strstr(name, ".dorvix-") != nullptr; }

// Writes where the other program was played (`name`) to the file that
// DORVIX_PLAYED_AT names.
void tell_played_at(const char* name) {
  const char* path = std::getenv("DORVIX_PLAYED_AT");
  if (path == nullptr) return;
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (::write(fd, name, std::strlen(name)) < 0) {
    // Nothing to do: the test finds no name.
  }
  ::close(fd);
}

// The other program, played once, at the first rename or removal of a
// temporary name (`name`), before the call, or at the first rename to a
// temporary name (`to`, not an exchange): the name's file changes under
// the program's feet, after whatever look it took at it.
void play_other_program(const char* name, const char* to = nullptr, unsigned int flags = 0) {
  static bool played = false;
  if (played) return;
  const char* aside = std::getenv("DORVIX_TAKE_ASIDE_AT_RENAME");
  if (aside != nullptr) {
    if (to == nullptr || (flags & RENAME_EXCHANGE) != 0 || !temporary(to)) return;
    played = true;
    const int saved = errno;
    system_renameat2(AT_FDCWD, aside, AT_FDCWD, to, 0);
    tell_played_at(to);
    errno = saved;
    return;
  }
  if (!temporary(name)) return;
  const char* swap = std::getenv("DORVIX_SWAP_AT_RENAME");
  const char* take = std::getenv("DORVIX_TAKE_AT_RENAME");
  const bool remove = std::getenv("DORVIX_REMOVE_AT_RENAME") != nullptr;
  if (swap == nullptr && take == nullptr && !remove) return;
  played = true;
  const int saved = errno;
  if (swap != nullptr) system_renameat2(AT_FDCWD, name, AT_FDCWD, swap, RENAME_EXCHANGE);
  if (take != nullptr) system_renameat2(AT_FDCWD, take, AT_FDCWD, name, 0);
  if (remove) system_unlink(name);
  tell_played_at(name);
  errno = saved;
}

}  // namespace

extern "C" {

// The program's start: main is wrapped so that the count starts there.
int __libc_start_main(Main main, int argc, char** argv, void (*init)(), void (*fini)(), void (*rtld_fini)(),
                      void* stack_end) {
  using Start = int (*)(Main, int, char**, void (*)(), void (*)(), void (*)(), void*);
  const auto start = reinterpret_cast<Start>(::dlsym(RTLD_NEXT, "__libc_start_main"));
  program_main = main;
  return start(counted_main, argc, argv, init, fini, rtld_fini, stack_end);
}

void* malloc(std::size_t size) { return fails() ? nullptr : __libc_malloc(size); }
void* calloc(std::size_t count, std::size_t size) { return fails() ? nullptr : __libc_calloc(count, size); }
void* realloc(void* p, std::size_t size) { return fails() ? nullptr : __libc_realloc(p, size); }
void* memalign(std::size_t alignment, std::size_t size) {
  return fails() ? nullptr : __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) { return memalign(alignment, size); }
int posix_memalign(void** p, std::size_t alignment, std::size_t size) {
  void* q = memalign(alignment, size);
  if (q == nullptr) return ENOMEM;
  *p = q;
  return 0;
}

int renameat2(int from_dir, const char* from, int to_dir, const char* to, unsigned int flags) {
  if (const char* error = std::getenv("DORVIX_FAIL_RENAME")) {
    errno = std::atoi(error);
    return -1;
  }
  if ((flags & RENAME_EXCHANGE) != 0 && std::getenv("DORVIX_NO_EXCHANGE") != nullptr) {
    errno = EINVAL;
    return -1;
  }
  play_other_program(from, to, flags);
  return system_renameat2(from_dir, from, to_dir, to, flags);
}

int rename(const char* from, const char* to) { return renameat2(AT_FDCWD, from, AT_FDCWD, to, 0); }

int unlink(const char* path) {
  play_other_program(path);
  return system_unlink(path);
}

}  // extern "C"
