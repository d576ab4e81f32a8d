// Finds the entries of one listing page (already in code page 936): for every
// download marker "下载视频", its number on the page, its raw (still escaped)
// title and its video address.
#pragma once

#include <functional>
#include <vector>

#include "core/text.h"

namespace zorvika {

struct ListingEntry {
  int sequence = 0;
  Text rawTitle;
  Text videoAddress;

  friend bool operator==(const ListingEntry&, const ListingEntry&) = default;
};

// Calls `onEntry` for each entry in page order, as soon as it is found.
// Exactly as many entries as the page has markers; numbered from 1.
void ScanListing(const Text& pageText, const std::function<void(const ListingEntry&)>& onEntry);

// The same entries collected into a vector.
std::vector<ListingEntry> ScanListing(const Text& pageText);

}  // namespace zorvika
