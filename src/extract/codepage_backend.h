// The platform's code page 936 (GBK) converter, asked one character at a time.
// codepage.cpp builds its lookup tables from these answers once; each platform
// implements this class in a file of its own (codepage_iconv.cpp: glibc iconv).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zorvika {

class Cp936Backend {
 public:
  // Opens the platform converter; available() tells whether that worked.
  Cp936Backend();
  ~Cp936Backend();
  Cp936Backend(const Cp936Backend&) = delete;
  Cp936Backend& operator=(const Cp936Backend&) = delete;

  bool available() const;

  // The code page 936 bytes (one or two) of one BMP code unit that is not a
  // surrogate, exactly, without any best-fit substitute; empty when the code page
  // has no form for it. FormOfUnit(u'\u4E0B') == "\xCF\xC2"; FormOfUnit(u'\u20AC') == "\x80";
  // FormOfUnit(u'\uAC00') == "".
  std::string FormOfUnit(char16_t unit);

  // The one UTF-16 unit that a one-byte or two-byte code page 936 sequence
  // stands for; nullopt when it is not one defined character.
  // UnitOfForm("\xCF\xC2") == u'\u4E0B'; UnitOfForm("\xFF") == std::nullopt.
  std::optional<char16_t> UnitOfForm(std::string_view form);

 private:
  struct Handles;  // The platform's converter handles.
  std::unique_ptr<Handles> handles_;
};

}  // namespace zorvika
