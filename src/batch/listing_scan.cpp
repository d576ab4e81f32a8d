#include "batch/listing_scan.h"

#include "core/text_ops.h"
#include "extract/extraction.h"

namespace zorvika {

namespace {

const char kEntryMarker[] = "\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5";  // 下载视频
const char kTitleStart[] = "data-text=\"";
const char kTitleEnd[] = "\"";
const char kAddressStart[] = "<a href=\"";
const char kAddressEnd[] = "\"";

// The next searches start this many bytes after the title's reported position
// (the title start marker's position plus the title's length).
constexpr int kStepAfterTitle = 3;

}  // namespace

void ScanListing(const Text& pageText, const std::function<void(const ListingEntry&)>& onEntry) {
  const Text entryMarker(kEntryMarker);
  const Text titleStart(kTitleStart);
  const Text titleEnd(kTitleEnd);
  const Text addressStart(kAddressStart);
  const Text addressEnd(kAddressEnd);

  // The number of entries is fixed up front; each pass yields one, whatever its
  // searches find. A missing marker gives -1, so the searches after it start
  // again near the top of the page.
  const int count = CountOccurrences(pageText, entryMarker, false);
  int pos = 0;
  for (int sequence = 1; sequence <= count; ++sequence) {
    pos = FindText(pageText, entryMarker, pos, true);
    const TextWithPosition title = TextBetweenAt(pageText, titleStart, titleEnd, pos);
    pos = title.position + kStepAfterTitle;
    const TextWithPosition address = TextBetweenAt(pageText, addressStart, addressEnd, pos);
    onEntry(ListingEntry{sequence, title.text, address.text});
  }
}

std::vector<ListingEntry> ScanListing(const Text& pageText) {
  std::vector<ListingEntry> entries;
  ScanListing(pageText, [&entries](const ListingEntry& entry) { entries.push_back(entry); });
  return entries;
}

}  // namespace zorvika
