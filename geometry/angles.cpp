#include "geometry/angles.hpp"

#include <algorithm>

namespace dorvix {

namespace {
// The first n values (none for n <= 0) converted one by one; each is read
// before it is written, so out may be the very array in.
template <real (*convert)(real)>
void convert_each(std::span<real> out, std::span<const real> in, int n) {
  const std::size_t count = std::min({static_cast<std::size_t>(n > 0 ? n : 0), out.size(), in.size()});
  for (std::size_t i = 0; i < count; ++i) out[i] = convert(in[i]);
}
}  // namespace

void deg2rad(std::span<real> out, std::span<const real> in, int n) { convert_each<rad>(out, in, n); }
void rad2deg(std::span<real> out, std::span<const real> in, int n) { convert_each<deg>(out, in, n); }

}  // namespace dorvix
