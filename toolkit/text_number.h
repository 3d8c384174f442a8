#pragma once
// The one rule for reading a number from a control's text: leading spaces and
// tabs are skipped, then an optional sign (+ or -), then an optional "$"
// (hexadecimal) or "%" (binary) prefix, then digits of that base; conversion
// stops at the first other character, and text without digits gives 0.
// Values beyond the int range clamp to INT_MIN / INT_MAX instead of wrapping.
#include <QString>

#include <string_view>

namespace toolkit {

int textToNumber(std::string_view text);
int textToNumber(const QString& text);

}  // namespace toolkit
