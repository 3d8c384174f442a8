#include "toolkit/text_number.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace toolkit {
namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace

int textToNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') { base = 16; ++i; }
    else if (i < text.size() && text[i] == '%') { base = 2; ++i; }

    // Magnitude stops growing once past INT_MAX + 1, which is enough to clamp
    // either sign and keeps the arithmetic far from overflow.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit >= base) break;
        magnitude = std::min(magnitude * base + digit, limit);
    }
    if (negative) return static_cast<int>(-magnitude);
    return static_cast<int>(std::min(magnitude, limit - 1));
}

int textToNumber(const QString& text) {
    // Any character outside ASCII ends the number, so UTF-8 serves.
    const QByteArray bytes = text.toUtf8();
    return textToNumber(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace toolkit
