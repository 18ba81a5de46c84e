#include "hostapi/wrappers/AIError.h"

namespace ai {

const char* Error::what() const noexcept {
    return "AI Exception";
}

} // namespace ai
