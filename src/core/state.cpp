#include "core/state.h"

#include "core/text.h"

namespace kalvora::core {

int RunState::userNumber() const { return integerValue(left(userCaption, 3)); }

}  // namespace kalvora::core
