// What a pattern finds in a saved file's text.
#pragma once

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace cartotest {

/// The group of every match of pattern in text (the whole match for group 0), in order.
inline std::vector<std::string> allMatches(const std::string& text, const std::regex& pattern,
                                           int group = 1) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.push_back((*it)[group]);
    return found;
}

/// The distinct values of allMatches.
inline std::set<std::string> matchSet(const std::string& text, const std::regex& pattern,
                                      int group = 1) {
    const std::vector<std::string> found = allMatches(text, pattern, group);
    return {found.begin(), found.end()};
}

} // namespace cartotest
