#pragma once
// The results grid `sgResF` as plain data: its cell texts after
// `FillResultsGrid`, the place of every cell, and how each cell's text is
// drawn (`sgResFDrawCell`).

#include "profile/profile_record.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavo {

inline constexpr int kGridColumns = 4;
inline constexpr int kGridRows = 14; // header, twelve factors, the mean row
inline constexpr int kGridColumnWidth = 44;
inline constexpr int kGridRowHeight = 20;
inline constexpr int kGridLineWidth = 1; // after every cell, fixed or not
inline constexpr int kGridBorder = 2;    // sunken edge around the cells
// 4 × 44 and 14 × 20 with their lines and the edge: 184 × 298.
inline constexpr int kGridWidth = kGridColumns * (kGridColumnWidth + kGridLineWidth) + 2 * kGridBorder;
inline constexpr int kGridHeight = kGridRows * (kGridRowHeight + kGridLineWidth) + 2 * kGridBorder;

// A cell's rectangle with exclusive right and bottom edges.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CellRect &) const = default;
};

CellRect gridCellRect(int column, int row);

// The cell under a point, or false when the point is on a line, the edge or
// outside the grid.
bool gridCellAt(int x, int y, int &column, int &row);

inline bool isFixedCell(int column, int row) { return column == 0 || row == 0; }

// The cell texts, cp1251 (they are ASCII). Column c, row r at [c][r].
class ResultsGridCells {
public:
    const std::string &text(int column, int row) const;

    // `FillResultsGrid`: headers "Ideal", "Real", "Re-Id"; rows " F1" to
    // " F12" with the Ideal total, the Real total and Real − Ideal; the mean
    // row "  M", "55", "55", "0". Writes every cell but the top-left one.
    void FillResultsGrid(const ProfileRecord &profile);

private:
    std::array<std::array<std::string, kGridRows>, kGridColumns> cells_;
};

enum class CellTextColour {
    AsReset, // the grid's font colour, or highlight text on the unfocused current cell
    Red,     // (255, 0, 0): the factor falls below the threshold
    Green,   // (0, 128, 0): above the threshold
    Black,
};

struct CellDrawRule {
    bool bold = false;
    CellTextColour colour = CellTextColour::AsReset;
    // The text's top-right corner is (right − rightInset, top + topInset).
    int rightInset = 0;
    int topInset = 2;
    bool operator==(const CellDrawRule &) const = default;
};

// How `sgResFDrawCell` draws the text of a cell. The difference column of a
// factor row is coloured by the threshold class of that factor's totals under
// the threshold in force when the cell is painted.
CellDrawRule cellDrawRule(int column, int row, const ProfileRecord &profile, std::int32_t threshold);

} // namespace tavo
