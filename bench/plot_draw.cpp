// Drawing in user units: the user-to-device conversion alone, and long
// polylines, symbols and arcs written into a plot file.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/console_units.hpp"
#include "files/units.hpp"
#include "geometry/angles.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "scratch_plot.hpp"

namespace {

using namespace dorvix;

// Opens a scratch plot file in the Compressed dialect with the default
// attributes and a frame of 1 cm per user unit in subplot 1.
std::filesystem::path open_scratch(int dialect = dialect_compressed) {
  const auto file = dorvix::bench::open_scratch_plot(dialect);
  int s = 1;
  ssubplot(s, setup::passed);
  real x0 = 1, y0 = 1, xx = 1, xy = 0, yx = 0, yy = 1;
  sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
  return file;
}

// n points of a spiral on the sheet, in user units (cm).
void spiral(int n, std::vector<real>& x, std::vector<real>& y) {
  x.resize(static_cast<std::size_t>(n));
  y.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const real t = 0.01f * static_cast<real>(i);
    x[static_cast<std::size_t>(i)] = 9.5f + 0.5f * t * std::cos(t);
    y[static_cast<std::size_t>(i)] = 13.0f + 0.5f * t * std::sin(t);
  }
}

// The conversion of 1000 user points to device points, in place.
void BM_us2de(benchmark::State& state) {
  const auto file = open_scratch();
  std::vector<real> x0, y0;
  spiral(1000, x0, y0);
  std::vector<real> x = x0, y = y0;
  for (auto _ : state) {
    us2de(x, y, x, y, 1000);
    benchmark::DoNotOptimize(x.data());
    x = x0;
    y = y0;
  }
  state.SetItemsProcessed(state.iterations() * 1000);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_us2de);

// A polyline of 1000 user points: two device paths.
void BM_usline(benchmark::State& state) {
  const auto file = open_scratch();
  std::vector<real> x, y;
  spiral(1000, x, y);
  for (auto _ : state) usline(x, y, 1000);
  state.SetItemsProcessed(state.iterations() * 1000);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_usline);

// 1000 symbols in one call: the stroked circle (type 1) and the five-spoke
// star (type 17).
void BM_ussymbol(benchmark::State& state) {
  const auto file = open_scratch();
  std::vector<real> x, y;
  spiral(1000, x, y);
  plt2blk.symbsize = 0.4f;
  plt2blk.symbtype = static_cast<int>(state.range(0));
  for (auto _ : state) ussymbol(x, y, 1000);
  state.SetItemsProcessed(state.iterations() * 1000);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_ussymbol)->Arg(1)->Arg(17);

// A full circle of 360 points through the running point.
void BM_uscircle(benchmark::State& state) {
  const auto file = open_scratch();
  for (auto _ : state) uscircle(9.5f, 13.0f, 5.0f, 360);
  state.SetItemsProcessed(state.iterations() * 360);
  bench::close_scratch_plot(file);
}
BENCHMARK(BM_uscircle);

// ---- A paged diagram of 60000 nets -------------------------------------------

// The calls one net of a paged stereonet diagram makes: the primitive
// circle of 200 points, four ticks, two great circles of 40 points and six
// axis symbols. Twenty nets to a page (4 by 5, 2 cm radius), each with its
// own planes; every page is the same.
constexpr int nets = 60000;
constexpr int nets_per_page = 20;
constexpr real net_radius = 2.0f;

struct Net {
  real xc, yc;
  std::vector<real> gx[2], gy[2];  // the two great circles
  real ax[6], ay[6];               // the axis symbols
};

// The projection of a plane (strike, dip in degrees) in an equal-area net
// of radius r: 40 points from one end of its strike to the other.
void great_circle(real strike, real dip, real xc, real yc, real r, std::vector<real>& x, std::vector<real>& y) {
  x.clear();
  y.clear();
  const real s = rad(strike), d = rad(dip);
  for (int k = 0; k < 40; ++k) {
    const real t = rad(180.0f * static_cast<real>(k) / 39.0f);  // along the plane
    // Unit vector of the plane (east, north, down), then its lower-hemisphere point.
    const real e = std::cos(t) * std::sin(s) + std::sin(t) * std::cos(d) * std::cos(s);
    const real n = std::cos(t) * std::cos(s) - std::sin(t) * std::cos(d) * std::sin(s);
    const real z = std::sin(t) * std::sin(d);
    const real q = r * std::sqrt(2.0f / (1.0f + z));
    x.push_back(xc + q * e / std::sqrt(2.0f));
    y.push_back(yc + q * n / std::sqrt(2.0f));
  }
}

std::vector<Net> page_of_nets() {
  std::vector<Net> page(nets_per_page);
  for (int i = 0; i < nets_per_page; ++i) {
    Net& net = page[static_cast<std::size_t>(i)];
    net.xc = 2.5f + 4.5f * static_cast<real>(i % 4);
    net.yc = 2.5f + 5.0f * static_cast<real>(i / 4);
    const real strike = static_cast<real>((i * 37) % 360), dip = 10.0f + static_cast<real>((i * 13) % 80);
    great_circle(strike, dip, net.xc, net.yc, net_radius, net.gx[0], net.gy[0]);
    great_circle(strike + 90.0f, 90.0f - 0.5f * dip, net.xc, net.yc, net_radius, net.gx[1], net.gy[1]);
    for (int k = 0; k < 6; ++k) {
      const real a = rad(static_cast<real>(60 * k + 7 * i));
      net.ax[k] = net.xc + 0.3f * static_cast<real>(k % 3 + 1) * std::cos(a);
      net.ay[k] = net.yc + 0.3f * static_cast<real>(k % 3 + 1) * std::sin(a);
    }
  }
  return page;
}

void draw_net(const Net& net) {
  uscircle(net.xc, net.yc, net_radius, 200);
  for (int k = 0; k < 4; ++k) {
    const real c = k % 2 == 0 ? 1.0f : 0.0f, s = k % 2 == 0 ? 0.0f : 1.0f, sign = k < 2 ? 1.0f : -1.0f;
    const real tx[] = {net.xc + sign * c * net_radius, net.xc + sign * c * 1.1f * net_radius};
    const real ty[] = {net.yc + sign * s * net_radius, net.yc + sign * s * 1.1f * net_radius};
    usline(tx, ty, 2);
  }
  for (int g = 0; g < 2; ++g) usline(net.gx[g], net.gy[g], 40);
  ussymbol(net.ax, net.ay, 6);
}

// Draws `count` nets through the plot library, a page break every twenty.
void draw_nets(const std::vector<Net>& page, int count) {
  plt2blk.symbsize = 0.3f;
  plt2blk.symbtype = 1;
  for (int i = 0; i < count; ++i) {
    if (i > 0 && i % nets_per_page == 0) intnewpage();
    draw_net(page[static_cast<std::size_t>(i % nets_per_page)]);
  }
}

void BM_nets_library(benchmark::State& state) {
  const auto page = page_of_nets();
  std::uintmax_t bytes = 0;
  for (auto _ : state) {
    const auto file = open_scratch(static_cast<int>(state.range(0)));
    draw_nets(page, nets);
    bench::close_scratch_plot(file, false);
    bytes = std::filesystem::file_size(file);
    std::filesystem::remove(file);
  }
  state.SetItemsProcessed(state.iterations() * nets);
  state.counters["bytes_per_net"] = static_cast<double>(bytes) / nets;
}
BENCHMARK(BM_nets_library)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(dialect_compressed)->Arg(dialect_news);

// The plain writer: the records of one page, as the library writes them,
// taken apart once into numbers and operators, then written again for
// every page by a short fixed-point editor into one buffer. It writes the
// same bytes (checked before timing) with none of the library's work
// besides the text itself: the floor of the record writer.
struct PlainRecord {
  std::vector<real> numbers;
  std::string rest;  // the operator, with the blank before it
};

std::vector<PlainRecord> records_of(std::string_view text) {
  std::vector<PlainRecord> records;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    PlainRecord r;
    for (;;) {
      const auto blank = line.find(' ');
      const std::string_view word = line.substr(0, blank);
      char* stop = nullptr;
      const std::string w(word);
      const float v = std::strtof(w.c_str(), &stop);
      if (word.empty() || stop != w.c_str() + w.size() || w.find_first_not_of("-0123456789.") != std::string::npos) break;
      r.numbers.push_back(v);
      line.remove_prefix(blank == std::string_view::npos ? line.size() : blank + 1);
    }
    r.rest = std::string(r.numbers.empty() || line.empty() ? "" : " ") + std::string(line);
    records.push_back(std::move(r));
  }
  return records;
}

// Two decimals, half away from zero on the exact value; sheet coordinates only.
char* plain_number(char* p, real v) {
  const double x = static_cast<double>(std::fabs(v)) * 100.0;
  auto n = static_cast<unsigned long long>(x);
  if (x - static_cast<double>(n) >= 0.5) ++n;
  if (std::signbit(v)) *p++ = '-';
  char digits[24];
  int k = 0;
  const unsigned long long whole = n / 100;
  const auto cents = static_cast<unsigned>(n % 100);
  for (unsigned long long w = whole; k == 0 || w > 0; w /= 10) digits[k++] = static_cast<char>('0' + w % 10);
  while (k > 0) *p++ = digits[--k];
  *p++ = '.';
  *p++ = static_cast<char>('0' + cents / 10);
  *p++ = static_cast<char>('0' + cents % 10);
  return p;
}

void plain_page(const std::vector<PlainRecord>& records, std::vector<char>& buffer, std::size_t& used,
                std::FILE* out) {
  for (const PlainRecord& r : records) {
    if (buffer.size() - used < 256) {
      std::fwrite(buffer.data(), 1, used, out);
      used = 0;
    }
    char* p = buffer.data() + used;
    for (std::size_t k = 0; k < r.numbers.size(); ++k) {
      if (k > 0) *p++ = ' ';
      p = plain_number(p, r.numbers[k]);
    }
    std::memcpy(p, r.rest.data(), r.rest.size());
    p += r.rest.size();
    *p++ = '\n';
    used = static_cast<std::size_t>(p - buffer.data());
  }
}

std::string file_text(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The text of page 2 (from its page record to the next page's).
std::string second_page(const std::string& text) {
  const auto first = text.find("%%Page:   2");
  const auto next = text.find("gsave showpage", first);
  return text.substr(first, text.find("%%Page:", next) - first);
}

void BM_nets_plain(benchmark::State& state) {
  const auto page = page_of_nets();
  // One page's records from the library.
  auto file = open_scratch(static_cast<int>(state.range(0)));
  draw_nets(page, 3 * nets_per_page);
  bench::close_scratch_plot(file, false);
  const std::string library_page = second_page(file_text(file));
  std::filesystem::remove(file);
  const auto records = records_of(library_page);
  {
    std::vector<char> whole(library_page.size() + 1024);
    std::size_t used = 0;
    plain_page(records, whole, used, nullptr);
    if (std::string_view(whole.data(), used) != library_page) {
      state.SkipWithError("the plain writer does not write the library's bytes");
      return;
    }
  }
  std::vector<char> buffer(1 << 16);
  const auto path = std::filesystem::temp_directory_path() / "dorvix-bench-plain.ps";
  for (auto _ : state) {
    std::FILE* out = std::fopen(path.string().c_str(), "wb");
    std::size_t used = 0;
    for (int p = 0; p < nets / nets_per_page; ++p) plain_page(records, buffer, used, out);
    std::fwrite(buffer.data(), 1, used, out);
    std::fclose(out);
  }
  std::filesystem::remove(path);
  state.SetItemsProcessed(state.iterations() * nets);
}
BENCHMARK(BM_nets_plain)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(dialect_compressed)->Arg(dialect_news);

}  // namespace
