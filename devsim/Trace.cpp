#include "Trace.h"

Trace::~Trace() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool Trace::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void Trace::record(double ms, const char* direction, const std::uint8_t* bytes, std::size_t count) {
    if (file_ == nullptr || count == 0) {
        return;
    }
    std::fprintf(file_, "%lld %s %s\n", static_cast<long long>(ms), direction,
                 hexBytes(bytes, count).c_str());
    std::fflush(file_);
}

std::string hexBytes(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}
