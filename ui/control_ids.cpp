// Names of the controls, made from the same list as the enumeration.
#include "ui/control_ids.h"

namespace ui {
namespace {

constexpr std::array<std::string_view, CONTROL_COUNT> CONTROL_NAMES = {
#define VIROROR_CONTROL_NAME(name) #name,
    VIROROR_CONTROLS(VIROROR_CONTROL_NAME)
#undef VIROROR_CONTROL_NAME
};

}  // namespace

std::string_view controlName(Control control) {
    const int index = static_cast<int>(control);
    if (index < 0 || index >= CONTROL_COUNT) return "Unknown";
    return CONTROL_NAMES[static_cast<std::size_t>(index)];
}

}  // namespace ui
