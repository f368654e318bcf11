#include "engine/kill_source.hpp"

#include "engine/store_merge.hpp"

namespace fragtide::engine {

bool KillSource::mergePart(StatsStore& into, const StatsStore& part) const {
    if (storeIsFull(part))
        return false;  // some of its kills went to no player that `into` might still have room for
    mergeStore(into, part);
    return true;
}

}  // namespace fragtide::engine
