// The scores of this run, kept in memory per learning object and per
// evaluated lesson path. Lesson paths and objects are numbered 0 to 50; the
// entries are 16-bit numbers, as the course records have always held them.
#pragma once

#include <cstdint>

namespace mirvane {

struct ScoreTables {
  static constexpr int kSize = 51;
  std::int16_t ObjectScoreSum[kSize][kSize] = {};
  std::int16_t ObjectScoreCount[kSize][kSize] = {};
  std::int16_t ObjectScore[kSize][kSize] = {};
  std::int16_t PathScoreSum[kSize] = {};
  std::int16_t PathScoreCount[kSize] = {};

  static bool InRange(long index) { return index >= 0 && index < kSize; }
};

}  // namespace mirvane
