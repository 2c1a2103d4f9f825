#pragma once
// The places of the nets on a page: twenty a page of the paged driver, in
// columns of five from the lower left, which the one-page driver fills too.

namespace dorvix {

// Nets a page of the paged driver, and nets a column of both.
inline constexpr int nets_per_page = 20;
inline constexpr int nets_per_column = 5;

}  // namespace dorvix
