#include "plot/iClasses.h"

#include <stdexcept>

TiLimitDataRecord TiLimitDataList::GetRecord(int Index) const {
    if (Index < 0 || Index >= Count())
        throw std::runtime_error("Index out of Bounds");
    return Records_[static_cast<std::size_t>(Index)];
}
