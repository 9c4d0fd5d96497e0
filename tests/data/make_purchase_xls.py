#!/usr/bin/python3
# Writes purchase.xls, the binary workbook the import tests read: a supplier's
# purchase list in the default layout (sizes in row 3, columns F to O, data from
# row 4, brand A, goods number B, kind C, colour E, purchase price Q, retail
# price R, fabric S, grade T, place U), and a formula cell in row 7.
# Needs Debian's python3-xlwt; run it from this folder (tests/data).
import xlwt

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("进货单")
book.add_sheet("其他")
cell = lambda r, c, v: sheet.write(r - 1, c - 1, v)  # rows and columns from 1

cell(1, 1, "步行街店进货单")
for i, size in enumerate(range(35, 45)):
    cell(3, 6 + i, size)
rows = [
    # brand, goods number, kind, colour, quantities from F, price, retail, fabric, grade, place
    ("青禾", "ZM001", "男鞋", "黑色", [2, 0, -1, "abc", 2.5], 80.5, 199, "真皮", "合格品", "温州"),
    ("远帆", "ZM001", "男鞋", "黑色", [1], 80, 199, "", "", ""),
    ("Levi's", "K'7", "女鞋", "白色", [None, None, None, None, None, None, None, None, None, 3], 60, 120,
     "帆布", "一等", "广州"),
]
for r, (brand, no, kind, colour, quantities, price, retail, fabric, grade, place) in enumerate(rows, start=4):
    cell(r, 1, brand)
    cell(r, 2, no)
    cell(r, 3, kind)
    cell(r, 5, colour)
    for i, q in enumerate(quantities):
        if q is not None:
            cell(r, 6 + i, q)
    cell(r, 17, price)
    cell(r, 18, retail)
    for c, v in ((19, fabric), (20, grade), (21, place)):
        if v:
            cell(r, c, v)
cell(7, 6, xlwt.Formula("F4+F5"))
book.save("purchase.xls")
