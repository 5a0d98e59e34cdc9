// Compile-time checks of record layouts. A layout is a constexpr aggregate of field descriptors
// with a fields() member that lists them; LayoutFits proves every field lies inside the record.
#pragma once

#include <cstddef>
#include <tuple>

#include "data/bytes.h"

namespace garam {

template <typename Layout>
constexpr bool LayoutFits(const Layout& layout, std::size_t size) {
  return std::apply([&](const auto&... f) { return (FieldFits(f, size) && ...); }, layout.fields());
}

}  // namespace garam
