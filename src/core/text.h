// Text: byte text in code page 936 (GBK) and the value type every routine uses.
// A Text never holds a zero byte; the empty text and an absent one are the same value.
// A byte of 0x80 or above starts a two-byte character.
#pragma once

#include <string>
#include <string_view>

namespace zorvika {

class Text {
 public:
  Text() = default;

  // Takes the bytes of a C string, up to its terminating zero.
  // Example: Text("abc"), or Text("\xCF\xC2\xD4\xD8") for the two GBK characters of "下载".
  Text(const char* bytes);  // NOLINT(google-explicit-constructor): literals read naturally

  // Takes the bytes before the first zero byte of `bytes` (all of them when none is zero).
  explicit Text(std::string_view bytes);

  // The same, taking over the storage of a built-up string instead of copying it.
  explicit Text(std::string&& bytes);

  // The bytes, without any terminating zero.
  const std::string& bytes() const { return bytes_; }
  std::string_view view() const { return bytes_; }
  const char* c_str() const { return bytes_.c_str(); }

  // Number of bytes.
  int length() const { return static_cast<int>(bytes_.size()); }
  bool empty() const { return bytes_.empty(); }

  // The byte at a 1-based position; the caller keeps 1 <= pos <= length().
  unsigned char ByteAt(int pos) const { return static_cast<unsigned char>(bytes_[pos - 1]); }

  friend bool operator==(const Text& a, const Text& b) = default;

 private:
  std::string bytes_;
};

}  // namespace zorvika
