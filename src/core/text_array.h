// TextArray: an ordered list of Text indexed from 1, owning its elements.
// Reading outside its bounds is a broken invariant and ends the program.
#pragma once

#include <vector>

#include "core/text.h"

namespace zorvika {

class TextArray {
 public:
  TextArray() = default;
  TextArray(std::initializer_list<Text> items) : items_(items) {}

  const std::vector<Text>& items() const { return items_; }
  std::vector<Text>::const_iterator begin() const { return items_.begin(); }
  std::vector<Text>::const_iterator end() const { return items_.end(); }

  friend bool operator==(const TextArray& a, const TextArray& b) = default;

 private:
  friend void ArrayAppend(TextArray& array, const Text& text);
  std::vector<Text> items_;
};

// Number of elements.
int ArraySize(const TextArray& array);

// The element at a 1-based index. An index below 1 ends the program through
// RunTimeError(4), one above the size through RunTimeError(1).
const Text& ArrayItem(const TextArray& array, int index);

// Appends a copy of `text` at the end.
void ArrayAppend(TextArray& array, const Text& text);

}  // namespace zorvika
