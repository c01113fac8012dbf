#include "geometry/grid_cells.h"

#include "profile/threshold_class.h"

namespace tavo {

namespace {

constexpr int kMeanRow = kGridRows - 1;

bool isFactorRow(int row) { return row >= 1 && row <= kGridRows - 2; }

} // namespace

CellRect gridCellRect(int column, int row)
{
    const int left = kGridBorder + column * (kGridColumnWidth + kGridLineWidth);
    const int top = kGridBorder + row * (kGridRowHeight + kGridLineWidth);
    return {left, top, left + kGridColumnWidth, top + kGridRowHeight};
}

bool gridCellAt(int x, int y, int &column, int &row)
{
    const int cx = x - kGridBorder;
    const int cy = y - kGridBorder;
    if (cx < 0 || cy < 0)
        return false;
    const int c = cx / (kGridColumnWidth + kGridLineWidth);
    const int r = cy / (kGridRowHeight + kGridLineWidth);
    if (c >= kGridColumns || r >= kGridRows)
        return false;
    if (cx % (kGridColumnWidth + kGridLineWidth) >= kGridColumnWidth ||
        cy % (kGridRowHeight + kGridLineWidth) >= kGridRowHeight)
        return false;
    column = c;
    row = r;
    return true;
}

const std::string &ResultsGridCells::text(int column, int row) const
{
    return cells_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void ResultsGridCells::FillResultsGrid(const ProfileRecord &profile)
{
    // Setting a column's header empties the whole column first.
    const char *const headers[] = {"Ideal", "Real", "Re-Id"};
    for (int c = 1; c < kGridColumns; ++c) {
        auto &column = cells_[static_cast<std::size_t>(c)];
        column.fill({});
        column[0] = headers[c - 1];
    }
    for (int row = 1; isFactorRow(row); ++row) {
        const auto r = static_cast<std::size_t>(row);
        cells_[0][r] = " F" + std::to_string(row);
        cells_[1][r] = std::to_string(profile.idealTotal(row));
        cells_[2][r] = std::to_string(profile.realTotal(row));
        // Widened: any two 32-bit totals have a difference that fits.
        cells_[3][r] = std::to_string(std::int64_t{profile.realTotal(row)} - profile.idealTotal(row));
    }
    cells_[0][kMeanRow] = "  M";
    cells_[1][kMeanRow] = "55";
    cells_[2][kMeanRow] = "55";
    cells_[3][kMeanRow] = "0";
}

CellDrawRule cellDrawRule(int column, int row, const ProfileRecord &profile, std::int32_t threshold)
{
    if (row == 0)
        return {false, CellTextColour::AsReset, 6, 2};
    if (column < 3)
        return {row == kMeanRow && column >= 1, CellTextColour::AsReset, 16, 2};
    if (row == kMeanRow)
        return {true, CellTextColour::Black, 15, 2};
    CellTextColour colour = CellTextColour::Black;
    switch (thresholdClass(profile.idealTotal(row), profile.realTotal(row), threshold)) {
    case ThresholdClass::Below: colour = CellTextColour::Red; break;
    case ThresholdClass::Above: colour = CellTextColour::Green; break;
    case ThresholdClass::Within: break;
    }
    return {true, colour, 15, 2};
}

} // namespace tavo
