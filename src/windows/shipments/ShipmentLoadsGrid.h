#pragma once
// The loads grid of the "Direct Shipments" window: its thirty columns in
// their order and the text of each cell of a load. The view's item model
// reads the rows from here; it keeps no copy of its own.
#include <array>
#include <string>
#include <string_view>

namespace hvx::shipments {
struct DirectShipmentLoad;
}

namespace hvx::shipwin {

inline constexpr std::size_t kGridColumnCount = 30;
extern const std::array<std::string_view, kGridColumnCount> kGridColumns;

// The text of one cell; "" past the last column.
std::string GridCell(const shipments::DirectShipmentLoad& load, std::size_t column);

}  // namespace hvx::shipwin
