#pragma once
// System information: what this platform tells of itself, for the one-line
// description of the host. The operating system's name and release and the
// processor's architecture come from uname; the processor's clock rate from
// the kernel's frequency scaling (its highest rate), else from the rate
// /proc/cpuinfo reports. A piece the platform does not give is empty.

#include <functional>
#include <optional>
#include <string>

namespace dorvix {

struct SystemInfo {
  std::optional<std::string> system;     // operating system, as "Linux"
  std::optional<std::string> release;    // its release, as "6.1.0-18-amd64"
  std::optional<std::string> processor;  // processor architecture, as "x86_64"
  std::optional<long long> clock_hz;     // processor clock rate, Hz
};

SystemInfo system_info();

// Replaces the source of the answers (tests); an empty function puts the
// platform's own answers back.
void set_system_info_source(std::function<SystemInfo()> source);

}  // namespace dorvix
