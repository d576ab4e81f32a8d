#include "core/text_array.h"

#include <cstdio>

#include "core/run_time_error.h"

namespace zorvika {

int ArraySize(const TextArray& array) { return static_cast<int>(array.items().size()); }

const Text& ArrayItem(const TextArray& array, int index) {
  if (index < 1 || index > ArraySize(array)) {
    char situation[96];
    std::snprintf(situation, sizeof situation, "ArrayItem: index %d of an array of %d elements", index,
                  ArraySize(array));
    RunTimeError(index < 1 ? 4 : 1, situation);
  }
  return array.items()[static_cast<std::size_t>(index - 1)];
}

void ArrayAppend(TextArray& array, const Text& text) { array.items_.push_back(text); }

}  // namespace zorvika
