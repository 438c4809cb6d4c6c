#include "controls/tips/TipContent.h"

namespace tarvex {

TipIcon tipIconFromCode(int code)
{
    if (code < 0 || code > 3)
        return TipIcon::None;
    return static_cast<TipIcon>(code);
}

TipShape tipShapeFromCode(int code)
{
    return code == 1 ? TipShape::Balloon : TipShape::Rectangle;
}

} // namespace tarvex
