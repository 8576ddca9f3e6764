#include "tkl/core/textout.h"

#include <cstring>

namespace tkl {

DWORD write_text(const char* text, char* buffer, DWORD size) {
    const size_t length = std::strlen(text);
    if (buffer && size > 0) {
        const size_t copied = length < size ? length : size - 1;
        std::memcpy(buffer, text, copied);
        buffer[copied] = '\0';
    }
    return DWORD(length);
}

}  // namespace tkl
