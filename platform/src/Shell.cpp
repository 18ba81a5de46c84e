// The shell's open verb. Headless: the request is recorded and passed to the user agent;
// nothing is launched.
#include "Guard.h"
#include "platform/UserAgent.h"

namespace ws {
namespace {

std::vector<std::string>& requests() {
    static std::vector<std::string> list;
    return list;
}

} // namespace

std::vector<std::string> shellOpenRequests() {
    return requests();
}

} // namespace ws

extern "C" WS_API int WsShellOpen(const char* target) {
    if (!target || !*target) return 0;
    return ws::guarded(0, [&] {
        ws::requests().emplace_back(target);
        if (ws::UserAgent* agent = ws::currentUserAgent()) agent->shellOpen(target);
        return 1;
    });
}
