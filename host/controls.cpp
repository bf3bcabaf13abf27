#include "host/controls.h"

#include <limits>

#include "host/error.h"
#include "host/variant.h"

namespace host {

TagText& TagText::operator=(std::string text) {
    // An empty Tag computes as 0, like Empty.
    number_ = text.empty() ? 0.0 : parseNumber(text).value_or(std::numeric_limits<double>::quiet_NaN());
    text_ = std::move(text);
    return *this;
}

double TagText::raiseTypeMismatch() { raise(ErrorNumber::TypeMismatch); }

HScrollBar::HScrollBar(TwipRect bounds, std::int16_t min, std::int16_t max, std::int16_t value, int tabIndex)
    : Bounds(bounds), Min(min), Max(max), TabIndex(tabIndex), value_(value) {}

void HScrollBar::setValue(std::int16_t value) {
    if (value < Min || value > Max) raise(ErrorNumber::InvalidPropertyValue);
    value_ = value;
}

}  // namespace host
