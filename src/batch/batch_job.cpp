// RunBatch: the page loop of one job, with its log lines. Before each control
// call and each request the job asks whether it was told to stop, and if so it
// returns at once without touching the window again.
#include "batch/batch_job.h"

#include <cstdint>

#include "batch/listing_scan.h"
#include "batch/site_host.h"
#include "batch/stop_request.h"
#include "core/text_ops.h"
#include "extract/escape_decoding.h"
#include "extract/utf8_to_gbk.h"
#include "web/web_request.h"

namespace zorvika {
namespace {

const Text kJobStarted("\xC5\xFA\xC1\xBF\xCF\xC2\xD4\xD8\xBF\xAA\xCA\xBC\xB4\xA6\xC0\xED\r\n");  // 批量下载开始处理
const Text kPagePrefix("\xB5\xDA");                                                          // 第
const Text kPageStarted("\xBF\xAA\xCA\xBC\xB4\xA6\xC0\xED\r\n");                             // 开始处理
const Text kPageScanned("\xD2\xB3\xB4\xA6\xC0\xED\xCD\xEA\xA3\xAC\xCF\xC2\xD4\xD8\xD6\xD0\r\n");  // 页处理完，下载中
const Text kPageDownloaded("\xD2\xB3\xCF\xC2\xD4\xD8\xCD\xEA\r\n");                          // 页下载完

// A page box's text as a page number: the leading number, cut toward zero.
std::int32_t PageNumberFrom(const Text& boxText) { return TruncateToInteger(ToNumber(boxText)); }

// One pass of the page loop. False when the job was told to stop.
bool ProcessPage(WindowControls& controls, const Text& pageNumber, const BatchContext& context) {
  if (StopRequested(context)) return false;
  controls.DeleteAllRows(kResultList);
  if (StopRequested(context)) return false;
  AppendLog(controls, Concat({kPagePrefix, pageNumber, kPageStarted}));

  if (StopRequested(context)) return false;
  const Bytes body = WebRequest(ListingAddress(context.siteHost, pageNumber), 0, Text(), nullptr, nullptr, nullptr,
                                nullptr, false, nullptr, Text(), true, true, AbortWhenStopped(context));
  const Text pageText = Utf8ToGbk(body);

  for (const ListingEntry& entry : ScanListing(pageText)) {
    if (StopRequested(context)) return false;
    const int row = controls.InsertRow(kResultList);
    if (StopRequested(context)) return false;
    controls.SetCellText(kResultList, row, kSequenceColumn, ToText(entry.sequence));
    if (StopRequested(context)) return false;
    controls.SetCellText(kResultList, row, kTitleColumn, DecodeEscapes(entry.rawTitle));
    if (StopRequested(context)) return false;
    controls.SetCellText(kResultList, row, kAddressColumn, entry.videoAddress);
  }

  if (StopRequested(context)) return false;
  AppendLog(controls, Concat({kPagePrefix, pageNumber, kPageScanned}));
  DownloadRows(controls, pageNumber, context);
  if (StopRequested(context)) return false;
  AppendLog(controls, Concat({kPagePrefix, pageNumber, kPageDownloaded}));
  return true;
}

}  // namespace

void RunBatch(WindowControls& controls, const BatchContext& context) {
  if (StopRequested(context)) return;
  AppendLog(controls, kJobStarted);
  if (StopRequested(context)) return;
  controls.SetEnabled(kStartButton, false);
  if (StopRequested(context)) return;
  const std::int32_t firstPage = PageNumberFrom(controls.GetText(kFirstPageBox));
  if (StopRequested(context)) return;
  const std::int32_t lastPage = PageNumberFrom(controls.GetText(kLastPageBox));

  // Counted in 64 bits, so that a last page of 2147483647 ends the loop.
  for (std::int64_t page = firstPage; page <= lastPage; ++page) {
    if (!ProcessPage(controls, ToText(static_cast<std::int32_t>(page)), context)) return;
  }
  if (StopRequested(context)) return;
  controls.SetEnabled(kStartButton, true);
}

void AppendLog(WindowControls& controls, const Text& message) {
  controls.AppendText(kLogBox, Concat({ClockStamp(), message}));
}

}  // namespace zorvika
