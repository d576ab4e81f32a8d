#include "batch/video_file_name.h"

#include "extract/codepage.h"

namespace zorvika {
namespace {

const Text kVideoFolder("\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5");  // 下载视频
constexpr std::string_view kVideoExtension = ".mp4";

bool IsControlCharacter(unsigned char byte) { return byte <= 0x1F || byte == 0x7F; }

// In UTF-8 every byte below 0x80 is a whole character, so these byte-wise
// changes never touch a part of a longer character.
std::string CleanName(const std::string& utf8) {
  std::string cleaned;
  cleaned.reserve(utf8.size());
  for (char c : utf8) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte == '?') continue;
    if (byte == '/' || byte == '\\' || IsControlCharacter(byte)) {
      cleaned += '_';
    } else {
      cleaned += c;
    }
  }
  return cleaned;
}

// The longest beginning of `utf8` of at most `maxBytes` bytes that ends on a
// character boundary (a continuation byte 10xxxxxx never starts a character).
std::string CutAtCharacterBoundary(const std::string& utf8, std::size_t maxBytes) {
  if (utf8.size() <= maxBytes) return utf8;
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path PageFolder(const std::filesystem::path& programDirectory, const Text& pageNumber) {
  return programDirectory / PathFromUtf8(GbkToUtf8(kVideoFolder)) / PathFromUtf8(GbkToUtf8(pageNumber));
}

std::string VideoFileName(const Text& title) {
  std::string stem = CleanName(GbkToUtf8(title));
  stem = CutAtCharacterBoundary(stem, kMaxFileNameBytes - kVideoExtension.size());
  return stem + std::string(kVideoExtension);
}

}  // namespace zorvika
