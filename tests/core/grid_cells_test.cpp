#include "geometry/grid_cells.h"
#include "../grid_sample_profile.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tavo;

TEST(GridCells, FillWritesHeadersFactorsAndTheFixedMeanRow)
{
    ResultsGridCells cells;
    cells.FillResultsGrid(gridSampleProfile());
    const char *const expected[kGridRows][kGridColumns] = {
        {"", "Ideal", "Real", "Re-Id"}, {" F1", "60", "50", "-10"}, {" F2", "45", "50", "5"},
        {" F3", "70", "65", "-5"},      {" F4", "30", "36", "6"},   {" F5", "55", "55", "0"},
        {" F6", "90", "84", "-6"},      {" F7", "20", "20", "0"},   {" F8", "55", "70", "15"},
        {" F9", "3", "-12", "-15"},     {" F10", "11", "5", "-6"},  {" F11", "99", "117", "18"},
        {" F12", "0", "1", "1"},        {"  M", "55", "55", "0"},
    };
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column) {
            SCOPED_TRACE(testing::Message() << "column " << column << " row " << row);
            EXPECT_EQ(cells.text(column, row), expected[row][column]);
        }
}

TEST(GridCells, SecondFillReplacesEveryNumberAndLeavesTopLeftEmpty)
{
    ResultsGridCells cells;
    cells.FillResultsGrid(gridSampleProfile());
    ProfileRecord other;
    other.ideal.fill(7);
    other.real.fill(-3);
    cells.FillResultsGrid(other);
    EXPECT_EQ(cells.text(0, 0), "");
    for (int row = 1; row <= 12; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cells.text(1, row), "7");
        EXPECT_EQ(cells.text(2, row), "-3");
        EXPECT_EQ(cells.text(3, row), "-10");
    }
    // The mean row is fixed text whatever the profile.
    EXPECT_EQ(cells.text(1, 13), "55");
    EXPECT_EQ(cells.text(3, 13), "0");
}

TEST(GridCells, DifferenceOfExtremeTotalsDoesNotOverflow)
{
    ProfileRecord profile;
    profile.ideal[0] = INT_MIN;
    profile.real[0] = INT_MAX;
    profile.ideal[1] = INT_MAX;
    profile.real[1] = INT_MIN;
    ResultsGridCells cells;
    cells.FillResultsGrid(profile);
    EXPECT_EQ(cells.text(3, 1), "4294967295");
    EXPECT_EQ(cells.text(3, 2), "-4294967295");
}

TEST(GridCells, DrawRulesByCellAndThreshold)
{
    using enum CellTextColour;
    // Factor 1: −10, factor 2: +5, factor 3: −5, factor 4: +6, factor 5: 0,
    // factor 6: −6.
    const ProfileRecord profile = gridSampleProfile();
    const struct {
        int column, row;
        std::int32_t threshold;
        CellDrawRule rule;
    } cases[] = {
        {0, 0, 0, {false, AsReset, 6, 2}},   {1, 0, 0, {false, AsReset, 6, 2}},   {3, 0, 0, {false, AsReset, 6, 2}},
        {0, 1, 0, {false, AsReset, 16, 2}},  {0, 13, 0, {false, AsReset, 16, 2}}, {1, 4, 0, {false, AsReset, 16, 2}},
        {2, 12, 0, {false, AsReset, 16, 2}}, {1, 13, 0, {true, AsReset, 16, 2}},  {2, 13, 5, {true, AsReset, 16, 2}},
        {3, 13, 0, {true, Black, 15, 2}},    {3, 1, 0, {true, Red, 15, 2}},       {3, 2, 0, {true, Green, 15, 2}},
        {3, 5, 0, {true, Black, 15, 2}},     {3, 2, 5, {true, Black, 15, 2}},     {3, 3, 5, {true, Black, 15, 2}},
        {3, 4, 5, {true, Green, 15, 2}},     {3, 6, 5, {true, Red, 15, 2}},       {3, 2, -5, {true, Black, 15, 2}},
        {3, 3, -5, {true, Black, 15, 2}},    {3, 4, -5, {true, Green, 15, 2}},    {3, 6, -5, {true, Red, 15, 2}},
        {3, 1, 10, {true, Black, 15, 2}},    {3, 1, 9, {true, Red, 15, 2}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " row " << c.row << " t=" << c.threshold);
        const CellDrawRule rule = cellDrawRule(c.column, c.row, profile, c.threshold);
        EXPECT_EQ(rule.bold, c.rule.bold);
        EXPECT_EQ(rule.colour, c.rule.colour);
        EXPECT_EQ(rule.rightInset, c.rule.rightInset);
        EXPECT_EQ(rule.topInset, c.rule.topInset);
    }
}

TEST(GridCells, CellsAndLinesFillTheGridExactly)
{
    EXPECT_EQ(kGridWidth, 184);
    EXPECT_EQ(kGridHeight, 298);
    EXPECT_EQ(gridCellRect(0, 0), (CellRect{2, 2, 46, 22}));
    EXPECT_EQ(gridCellRect(1, 1), (CellRect{47, 23, 91, 43}));
    // The last cell's line ends where the 2-pixel edge begins.
    EXPECT_EQ(gridCellRect(3, 13), (CellRect{137, 275, 181, 295}));

    for (int column = 0; column < kGridColumns; ++column)
        for (int row = 0; row < kGridRows; ++row) {
            SCOPED_TRACE(testing::Message() << "column " << column << " row " << row);
            const CellRect r = gridCellRect(column, row);
            for (const auto &[x, y] : {std::pair{r.left, r.top}, std::pair{r.right - 1, r.bottom - 1}}) {
                int c = -1, w = -1;
                ASSERT_TRUE(gridCellAt(x, y, c, w));
                EXPECT_EQ(c, column);
                EXPECT_EQ(w, row);
            }
        }
    int c = 0, r = 0;
    EXPECT_FALSE(gridCellAt(46, 10, c, r)); // vertical line
    EXPECT_FALSE(gridCellAt(10, 22, c, r)); // horizontal line
    EXPECT_FALSE(gridCellAt(1, 10, c, r));  // edge
    EXPECT_FALSE(gridCellAt(182, 100, c, r));
    EXPECT_FALSE(gridCellAt(100, 296, c, r));
    EXPECT_FALSE(gridCellAt(-5, 10, c, r));
}
