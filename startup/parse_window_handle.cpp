#include "host/app.h"
#include "host/text.h"
#include "host/variant.h"
#include "startup/sub_main.h"

namespace startup {

std::int32_t ParseWindowHandle(std::string text) {
    text = host::TrimSpaces(text);
    std::size_t i = text.size();
    while (i >= 1 && text[i - 1] >= '0' && text[i - 1] <= '9') --i;
    return host::digitsToLong(std::string_view(text).substr(i));
}

}  // namespace startup
