#include "projection/oblique.hpp"

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/boxes.hpp"
#include "dialogue/command_file_end.hpp"
#include "dialogue/frames.hpp"
#include "dialogue/item_lines.hpp"
#include "dialogue/menu_loop.hpp"
#include "dialogue/menu_table.hpp"
#include "dialogue/prompts.hpp"
#include "geometry/angles.hpp"
#include "geometry/vectors.hpp"
#include "projection/parameter_menu.hpp"

namespace dorvix {

namespace {

constexpr Header smatab33_header{"smatab33", " 1.0", "30-08-2002"};


void unknown_answer_box(int) {
  const CommandFileStop stop = stop_command_file();
  warninghead(smatab33_header);
  say("UNKNOWN ANSWER !");
  stop.say_where();
  say("==> BACK TO MENU WITHOUT ACTION");
  warningtail00();
}

// Element (i, j) is choice k = 3(i - 1) + j, named at index k - 1.
void smatab33_menu(Matrix33& aba) {
  static constexpr std::array<std::string_view, 9> labels = {"Ab(1,1)", "Ab(1,2)", "Ab(1,3)", "Ab(2,1)", "Ab(2,2)",
                                                             "Ab(2,3)", "Ab(3,1)", "Ab(3,2)", "Ab(3,3)"};
  static constexpr std::array<std::string_view, 9> prompts = {"aba(1,1)", "aba(1,2)", "aba(1,3)",
                                                              "aba(2,1)", "aba(2,2)", "aba(2,3)",
                                                              "aba(3,1)", "aba(3,2)", "aba(3,3)"};
  std::vector<MenuRow> rows;
  for (int k = 1; k <= 9; ++k) {
    const int i = (k - 1) / 3 + 1, j = k - 3 * (i - 1);
    const auto name = static_cast<std::size_t>(k - 1);
    real& v = element(aba, i, j);
    rows.push_back({.choice = k,
                    .label = labels[name],
                    .action = [&v, name] { ask_real(v, prompts[name]); },
                    .value = shows_fixed(v, 8, 3)});
  }
  parameter_menu(smatab33_header, {.title = "Ab MATRIX SET UP",
                                   .lines = {.rows = std::move(rows), .width = 13, .otherwise = unknown_answer_box}});
}

}  // namespace

Matrix33 oblique_matrix(real lc, real pc) {
  const real half_pi = anglerad.half_pi();
  const auto e1 = unit_vector(lc, pc - half_pi);
  const auto e2 = unit_vector(lc + half_pi, 0.0f);
  const auto e3 = unit_vector(lc, pc);
  Matrix33 m{};
  for (int i = 1; i <= 3; ++i) {
    element(m, i, 1) = e1[static_cast<std::size_t>(i - 1)];
    element(m, i, 2) = e2[static_cast<std::size_t>(i - 1)];
    element(m, i, 3) = e3[static_cast<std::size_t>(i - 1)];
  }
  mtrans(m, m);
  return m;
}

std::array<double, 9> orthonormal(const Matrix33& m) {
  std::array<std::array<double, 3>, 3> row{};
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) {
      row[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)] = element(m, i, j);
    }
  }
  const auto dot = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  };
  // Gram-Schmidt from the third row up.
  for (const std::size_t i : {2u, 1u, 0u}) {
    std::array<double, 3>& r = row[i];
    for (std::size_t k = i + 1; k < 3; ++k) {
      const double c = dot(r, row[k]);
      for (std::size_t j = 0; j < 3; ++j) r[j] -= c * row[k][j];
    }
    const double n = std::sqrt(dot(r, r));
    if (n > 0.0) {
      for (double& v : r) v /= n;
    }
  }
  std::array<double, 9> out{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) out[i + 3 * j] = row[i][j];
  }
  return out;
}

void lla2llb(std::span<real> lonb, std::span<real> latb, std::span<const real> lona, std::span<const real> lata,
             int n) {
  for (std::size_t i = 0; i < (n > 0 ? static_cast<std::size_t>(n) : 0); ++i) {
    auto v = unit_vector(lona[i], lata[i]);
    cca2ccb(v, v);
    real lon = 0, lat = 0;
    cc2lln(std::span(&lon, 1), std::span(&lat, 1), std::span(&v[0], 1), std::span(&v[1], 1), std::span(&v[2], 1), 1);
    lonb[i] = lon;
    latb[i] = lat;
  }
}

void cca2ccb(std::span<real, 3> xb, std::span<const real, 3> xa) {
  const auto t = rotated(a2b.ab, std::array<real, 3>{xa[0], xa[1], xa[2]});
  for (std::size_t i = 0; i < 3; ++i) xb[i] = t[i];
}

void mtrans(Matrix33& a, const Matrix33& b) {
  Matrix33 t{};
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) element(t, i, j) = element(b, j, i);
  a = t;
}

void smatab33(Matrix33& aba, SetupMode inter) {
  if (inter.from_stored()) {
    aba = a2b.ab;
  } else if (inter.from_defaults()) {
    aba = Matrix33{1, 0, 0, 0, 1, 0, 0, 0, 1};
    submenuhead(smatab33_header);
    say("INITIALIZING Ab matrix: Ab = Identity");
  }
  if (inter.shows_menu()) smatab33_menu(aba);
  a2b.ab = aba;
}

}  // namespace dorvix
