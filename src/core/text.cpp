#include "core/text.h"

#include <cstring>

namespace zorvika {

Text::Text(const char* bytes) : bytes_(bytes == nullptr ? "" : bytes) {}

Text::Text(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\0'))) {}

}  // namespace zorvika
