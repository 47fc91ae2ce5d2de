// Where a ranked table's rows go with any number of fighters: the table's own spacing while they fit,
// closer rows, then the top ranks with the people's own rows.
#include <gtest/gtest.h>

#include "shell/TableRows.h"

namespace mv {
namespace {

constexpr TableBand kFragBand{.top = 50, .lastTop = 575, .step = 30, .minStep = 16};

TEST(FragTableRows, FitAnyCountAndKeepThePinnedRanksInSight) {
  struct Case {
    int32_t count;
    std::vector<int32_t> pinned;
    size_t rows;
    int32_t step;                 // between the first rows
    std::vector<int32_t> bottom;  // the ranks of the last rows, from the bottom up
  };
  const Case cases[] = {
      {1, {0}, 1, 0, {0}},
      {18, {17}, 18, 30, {17, 16}},  // the Part's rows, the last at 560
      {19, {18}, 19, 29, {18, 17}},  // one more: a little closer
      {33, {32}, 33, 16, {32, 31}},
      {40, {39}, 33, 16, {39, 31, 30}},  // the top 32 and the person's own
      {40, {5}, 33, 16, {32, 31}},       // already among them
      {100, {99, 50}, 33, 16, {99, 50, 30}},
      {100, {120, -1}, 33, 16, {32}},  // ranks the table has not are no one's
      {0, {}, 0, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    const std::vector<TableRow> rows = fitRows(c.count, kFragBand, c.pinned);
    ASSERT_EQ(rows.size(), c.rows);
    if (rows.empty()) continue;
    EXPECT_EQ(rows[0], (TableRow{0, 50}));
    if (rows.size() > 1) {
      EXPECT_EQ(rows[1].y - rows[0].y, c.step);
    }
    EXPECT_LE(rows.back().y, kFragBand.lastTop);
    for (size_t i = 0; i < c.bottom.size(); ++i) EXPECT_EQ(rows[rows.size() - 1 - i].rank, c.bottom[i]);
  }
}

}  // namespace
}  // namespace mv
