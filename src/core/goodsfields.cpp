#include "core/goodsfields.h"

#include "platform/flexgrid.h"

namespace core {

GoodsFields GoodsOfGridRow(const FlexGrid& grid, int row)
{
    GoodsFields g;
    for (int i = 0; i < 8; ++i)
        g.*kGoodsMembers[i] = grid.text(row, GoodsCaptions()[i]);
    return g;
}

void SetGoodsOfGridRow(FlexGrid& grid, int row, const GoodsFields& goods)
{
    for (int i = 0; i < 8; ++i)
        grid.setText(row, GoodsCaptions()[i], goods.*kGoodsMembers[i]);
}

}  // namespace core
