// Bytes: a raw byte buffer of any values (a response body, a UTF-8 page) and its
// operations. Positions count from 1; out-of-range counts are brought into range;
// the empty buffer and an absent one are the same value.
#pragma once

#include <initializer_list>
#include <optional>
#include <vector>

#include "core/text.h"

namespace zorvika {

using Bytes = std::vector<unsigned char>;

// The text's bytes, without a terminating zero. ToBytes("abc") has length 3.
Bytes ToBytes(const Text& text);

// The bytes before the first zero byte, or all of them. BytesToText({'a', 0, 'b'}) == "a".
Text BytesToText(const Bytes& bytes);

// Number of bytes.
int BytesLength(const Bytes& bytes);

// The first n bytes, n brought into 0..length. BytesLeft(five bytes, 9) gives all five.
Bytes BytesLeft(const Bytes& bytes, int n);

// n bytes from startPos; a start below 1 reads from the first byte.
// BytesMid({1,2,3,4,5}, 0, 2) == {1,2}; BytesMid({1,2,3,4,5}, 4, 9) == {4,5}.
Bytes BytesMid(const Bytes& bytes, int startPos, int n);

// Replaces occurrences of `needle` from `startPos` on, at most `count` of them
// (left out: all; below 0: none). ReplaceBytes({0x0D,0x0A,0x0D}, {0x0D}, {}, std::nullopt, 1) == {0x0A,0x0D}.
Bytes ReplaceBytes(const Bytes& bytes, const Bytes& needle, const Bytes& replacement = Bytes(),
                   std::optional<int> startPos = std::nullopt, std::optional<int> count = std::nullopt);

// n zero bytes; n <= 0 gives the empty buffer.
Bytes BlankBytes(int n);

// The parts joined in order.
Bytes ConcatBytes(std::initializer_list<Bytes> parts);

// Equal length and equal bytes.
bool CompareBytes(const Bytes& a, const Bytes& b);

}  // namespace zorvika
