#include "NamedAnswers.h"

namespace cartovel {

bool questionMatches(std::string_view pattern, std::string_view asked) {
    constexpr std::string_view kName = "NAME";
    const auto at = pattern.find(kName);
    if (at == std::string_view::npos) return pattern == asked;
    const std::string_view head = pattern.substr(0, at);
    const std::string_view tail = pattern.substr(at + kName.size());
    return asked.size() >= head.size() + tail.size() && asked.starts_with(head) &&
           asked.ends_with(tail);
}

std::optional<host::Answer> NamedAnswerResponder::ask(host::QuestionKind kind,
                                                      std::string_view text) {
    for (const NamedAnswer& named : answers_)
        if (questionMatches(named.pattern, text)) return named.answer;
    return inner_.ask(kind, text);
}

} // namespace cartovel
