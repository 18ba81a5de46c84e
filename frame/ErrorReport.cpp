#include "frame/ErrorReport.h"

#include <algorithm>

namespace {

constexpr HostErr kSilentErrorCodes[] = {
    HOST_FOURCC('F', 'M', 'T', '?'),
    HOST_FOURCC('R', 'F', 'S', 'E'),
    HOST_FOURCC('A', 'F', 'T', 'R'),
    HOST_FOURCC('V', 'A', 'L', 'D'),
    HOST_FOURCC('M', 'O', 'O', 'T'),
    HOST_FOURCC('T', 'R', 'S', 'H'),
    HOST_FOURCC('C', 'H', 'E', 'K'),
    HOST_FOURCC('C', 'H', 'I', 'T'),
    HOST_FOURCC('T', 'L', 'T', 'K'),
    kHostErrPurgeFreed,
    kHostErrSuiteNotFound,
    HOST_FOURCC('!', 'A', 'c', 'q'),
    HOST_FOURCC('d', 's', 'R', 'P'),
    HOST_FOURCC('s', 'k', 'p', 'E'),
    HOST_FOURCC('D', 'O', 'N', 'E'),
    kHostErrCancelled,
    361,
    0,
};

} // namespace

std::span<const HostErr> SilentErrorCodes() noexcept {
    return kSilentErrorCodes;
}

bool IsSilentErrorCode(HostErr code) noexcept {
    if (code == kHostNoErr) return true;
    const auto codes = SilentErrorCodes();
    return std::find(codes.begin(), codes.end() - 1, code) != codes.end() - 1;
}
