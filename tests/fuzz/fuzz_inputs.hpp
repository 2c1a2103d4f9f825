#pragma once
// Seeded random inputs for the fuzz test: the answers a careless or
// hurried user might type at the program's menus, and the data files it
// reads, whole or damaged. Same seed, same inputs.

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace dorvix::testing {

using Lines = std::vector<std::string>;

// The data files of a run, by name.
using Files = std::map<std::string, std::string>;

class FuzzInputs {
 public:
  explicit FuzzInputs(std::uint32_t seed) : rng_(seed) {}

  // The files a run starts with: catalogues in both layouts, a polygon, a
  // colour table, the plot settings, two command files, line files in five
  // layouts and a column file of points; each damaged with probability
  // `damage`.
  Files files(double damage);

  // The answers of a run: the Return of the banner, then `visits` visits
  // to menus of the table; the run then quits, or its input just ends.
  Lines script(int visits, bool quit);

 private:
  // A visit to a menu of the table (a random one when no name is given).
  Lines visit(std::string_view name = {});
  std::string answer(const std::vector<int>& choices);
  std::string damaged(std::string text);
  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  template <typename T>
  const T& one_of(const std::vector<T>& v) {
    return v[static_cast<std::size_t>(uniform(0, static_cast<int>(v.size()) - 1))];
  }

  std::mt19937 rng_;
};

}  // namespace dorvix::testing
