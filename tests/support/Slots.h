// Product slots by their row number, 1 to 11, as the dialog shows them.
#pragma once

#include "launch/ProductCatalogue.h"

inline const ProductSlot& slot(int number)
{
    return kProductSlots[static_cast<std::size_t>(number - 1)];
}
