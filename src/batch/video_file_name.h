// Where a listed video is stored: the page's folder below the program's
// directory, and a file name made from the title that always stays inside it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/text.h"

namespace zorvika {

// The longest file name the file system takes, in bytes of its encoding (UTF-8).
inline constexpr std::size_t kMaxFileNameBytes = 255;

// A path from UTF-8 bytes, whatever the platform's own path encoding.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// programDirectory / "下载视频" / pageNumber. The page number is the decimal
// text the batch job writes (digits and perhaps a leading "-").
// PageFolder("/opt/z", "3") == "/opt/z/下载视频/3".
std::filesystem::path PageFolder(const std::filesystem::path& programDirectory, const Text& pageNumber);

// The file name, in UTF-8, for a video with this title (code page 936): the title
// converted to UTF-8, every "?" removed, "\", "/" and the control characters
// 0x00-0x1F and 0x7F turned into "_", cut at a character boundary so that the
// name with ".mp4" fits in kMaxFileNameBytes, then ".mp4". The result never holds
// a separator and always ends in ".mp4", so it is never "." or "..".
// VideoFileName("what?") == "what.mp4"; VideoFileName("../a") == ".._a.mp4";
// VideoFileName("") == ".mp4".
std::string VideoFileName(const Text& title);

}  // namespace zorvika
