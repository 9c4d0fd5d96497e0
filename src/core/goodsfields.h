#pragma once
// The goods texts of a list's grid row.

#include "core/rules/goodsfields.h"

class FlexGrid;

namespace core {
// The eight texts of a grid row, found by their captions (or keys).
GoodsFields GoodsOfGridRow(const FlexGrid& grid, int row);
// Writes the eight texts into a grid row's columns of the same captions.
void SetGoodsOfGridRow(FlexGrid& grid, int row, const GoodsFields& goods);
}  // namespace core
