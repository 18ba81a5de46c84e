#include "JsonStream.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

namespace cartovel {

void JsonStream::newline(std::size_t level) {
    static constexpr std::string_view kIndent = "\n                                        ";
    static_assert(kIndent.size() == 1 + 2 * kMaxIndentLevels);
    out_.write(kIndent.data(),
               static_cast<std::streamsize>(1 + 2 * std::min(level, kMaxIndentLevels)));
}

void JsonStream::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    if (!levels_.back().empty) out_ << ',';
    levels_.back().empty = false;
    newline(levels_.size());
}

void JsonStream::writeString(std::string_view text) {
    out_ << nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

JsonStream& JsonStream::key(std::string_view name) {
    beforeValue();
    writeString(name);
    out_ << ": ";
    afterKey_ = true;
    return *this;
}

void JsonStream::open(char bracket) {
    beforeValue();
    out_ << bracket;
    levels_.push_back({});
}

void JsonStream::close(char bracket) {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) newline(levels_.size());
    out_ << bracket;
    if (levels_.empty()) out_ << '\n';
}

void JsonStream::beginObject() {
    open('{');
}

void JsonStream::endObject() {
    close('}');
}

void JsonStream::beginArray() {
    open('[');
}

void JsonStream::endArray() {
    close(']');
}

void JsonStream::value(std::string_view text) {
    beforeValue();
    writeString(text);
}

void JsonStream::value(bool b) {
    beforeValue();
    out_ << (b ? "true" : "false");
}

void JsonStream::value(std::size_t n) {
    beforeValue();
    out_ << n;
}

void JsonStream::value(double x) {
    beforeValue();
    if (!std::isfinite(x)) {
        out_ << "null";
        return;
    }
    // The shortest text that reads back as the same number.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    out_.write(buffer.data(), result.ptr - buffer.data());
}

void JsonStream::null() {
    beforeValue();
    out_ << "null";
}

} // namespace cartovel
