#include "rules/one_name_messages.hpp"

// Counter-Strike console logs print no suicide or one-name team-kill message that we know of:
// the table is empty until one is found in a real log format.

namespace fragtide::rules {

const OneNameTable kCounterStrikeOneName{{}, {}};

}  // namespace fragtide::rules
