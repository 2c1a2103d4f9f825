// Writes a generated catalogue on standard output, for the benchmark
// script: generate_catalogue fpfit|hash <lines> [seed].

#include <cstdlib>
#include <iostream>
#include <string>

#include "generated_catalogue.hpp"

int main(int argc, char** argv) {
  using dorvix::testing::CatalogueLayout;
  if (argc < 3 || (std::string(argv[1]) != "fpfit" && std::string(argv[1]) != "hash")) {
    std::cerr << "usage: generate_catalogue fpfit|hash <lines> [seed]\n";
    return 2;
  }
  const CatalogueLayout layout = std::string(argv[1]) == "fpfit" ? CatalogueLayout::fpfit : CatalogueLayout::hash;
  const int lines = std::atoi(argv[2]);
  const auto seed = static_cast<std::uint32_t>(argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 1);
  dorvix::testing::CatalogueGenerator generator(seed);
  std::cout << generator.catalogue(layout, lines);
  return 0;
}
