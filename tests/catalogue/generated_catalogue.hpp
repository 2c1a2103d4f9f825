#pragma once
// A seeded generator of realistic focal-mechanism catalogues in the FPFIT
// and HASH line layouts, for tests and the benchmark. Every value is drawn
// as a whole number of units of its field's last decimal and written from
// that integer, so a line is exactly what the program's writer makes of
// the values it reads from it: a generated catalogue reads and writes back
// byte for byte. Same seed, same catalogue.

#include <cstdint>
#include <random>
#include <string>

namespace dorvix::testing {

enum class CatalogueLayout { fpfit, hash };

class CatalogueGenerator {
 public:
  explicit CatalogueGenerator(std::uint32_t seed) : rng_(seed) {}

  std::string line(CatalogueLayout layout) { return layout == CatalogueLayout::fpfit ? fpfit_line() : hash_line(); }

  // `count` lines, each ended by a newline.
  std::string catalogue(CatalogueLayout layout, int count) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 143);
    for (int i = 0; i < count; ++i) {
      text += line(layout);
      text += '\n';
    }
    return text;
  }

 private:
  long long uniform(long long lo, long long hi) { return std::uniform_int_distribution<long long>(lo, hi)(rng_); }
  char one_of(const std::string& letters) {
    return letters[static_cast<std::size_t>(uniform(0, static_cast<long long>(letters.size()) - 1))];
  }
  // Mostly shallow, now and then intermediate or deep (hundredths of km).
  long long depth_units(long long scale) {
    return uniform(0, 9) < 8 ? uniform(0, 35 * scale) : uniform(35 * scale, 650 * scale);
  }

  // An integer right-aligned in w columns, optionally zero-filled.
  static std::string integer(long long v, int w, bool zeros = false) {
    std::string digits = std::to_string(v < 0 ? -v : v);
    if (zeros) digits.insert(0, static_cast<std::size_t>(w) - digits.size() - (v < 0 ? 1 : 0), '0');
    if (v < 0) digits.insert(0, "-");
    return std::string(static_cast<std::size_t>(w) - digits.size(), ' ') + digits;
  }
  // units / 10**d in fixed point, right-aligned in w columns; the zero
  // before the point is written when the width leaves room for it.
  static std::string fixed(long long units, int d, int w) {
    long long scale = 1;
    for (int k = 0; k < d; ++k) scale *= 10;
    const long long a = units < 0 ? -units : units;
    std::string frac = std::to_string(a % scale);
    frac.insert(0, static_cast<std::size_t>(d) - frac.size(), '0');
    std::string text = std::to_string(a / scale) + "." + frac;
    if (units < 0) text.insert(0, "-");
    if (text.size() > static_cast<std::size_t>(w) && a < scale) text.erase(text.find("0."), 1);
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
  }

  std::string fpfit_line() {
    std::string s;
    s += integer(uniform(1970, 2020), 4) + integer(uniform(1, 12), 2, true) + integer(uniform(1, 28), 2, true);
    s += ' ' + integer(uniform(0, 23), 2, true) + integer(uniform(0, 59), 2, true) + fixed(uniform(0, 5999), 2, 6);
    // Degrees, hemisphere letter and minutes; a position of exactly zero
    // is north and east, as the writer marks it.
    const long long lat_deg = uniform(0, 69), lat_min = uniform(0, 5999);
    const long long lon_deg = uniform(0, 179), lon_min = uniform(0, 5999);
    const bool south = uniform(0, 1) == 1 && lat_deg + lat_min > 0;
    const bool west = uniform(0, 1) == 1 && lon_deg + lon_min > 0;
    s += integer(lat_deg, 3) + (south ? 'S' : ' ') + fixed(lat_min, 2, 5);
    s += integer(lon_deg, 4) + (west ? ' ' : 'E') + fixed(lon_min, 2, 5);
    s += fixed(depth_units(100), 2, 7) + "  " + fixed(uniform(0, 650), 2, 5);
    s += integer(uniform(5, 99), 3) + integer(uniform(20, 300), 4) + fixed(uniform(0, 999), 1, 5);
    s += fixed(uniform(0, 50), 2, 5) + fixed(uniform(0, 99), 1, 5) + fixed(uniform(0, 99), 1, 5);
    s += "  " + std::string(1, one_of(" CLD")) + ' ' + integer(uniform(0, 359), 3) + ' ' + integer(uniform(5, 90), 2);
    s += integer(uniform(-180, 180), 4) + "  " + fixed(uniform(0, 50), 2, 4) + ' ' + integer(uniform(10, 200), 3);
    s += ' ' + fixed(uniform(0, 90), 2, 5) + ' ' + fixed(uniform(0, 100), 2, 4) + ' ' + fixed(uniform(0, 100), 2, 4);
    s += "  " + integer(uniform(0, 60), 2) + ' ' + integer(uniform(0, 60), 2) + ' ' + integer(uniform(0, 60), 2);
    s += std::string(1, one_of(" C")) + one_of("  *") + integer(uniform(1, 99999999), 10);
    return s;
  }

  std::string hash_line() {
    std::string s;
    s += integer(uniform(1980, 2020), 4) + ' ' + integer(uniform(1, 12), 2) + ' ' + integer(uniform(1, 28), 2);
    s += ' ' + integer(uniform(0, 23), 2) + ' ' + integer(uniform(0, 59), 2) + ' ' + fixed(uniform(0, 59999), 3, 6);
    s += ' ' + integer(uniform(10000000, 99999999), 8) + ' ' + fixed(uniform(3200000, 3700000), 5, 9);
    s += ' ' + fixed(uniform(-12100000, -11400000), 5, 10) + ' ' + fixed(depth_units(1000), 3, 7);
    s += ' ' + fixed(uniform(0, 5500), 3, 6) + ' ' + integer(uniform(0, 359), 4) + ' ' + integer(uniform(0, 90), 3);
    s += ' ' + integer(uniform(-180, 180), 4) + ' ' + integer(uniform(5, 60), 3) + ' ' + integer(uniform(5, 60), 3);
    s += ' ' + integer(uniform(8, 200), 4) + ' ' + fixed(uniform(0, 50), 2, 5) + ' ' + integer(uniform(0, 150), 4);
    s += ' ' + fixed(uniform(0, 2) * 100, 2, 5) + ' ' + one_of("ABCD");
    return s;
  }

  std::mt19937 rng_;
};

}  // namespace dorvix::testing
