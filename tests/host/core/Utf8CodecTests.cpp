// The host's UTF-8 codec at the edges of well-formedness: what one sequence is, where the
// first fault is, and what lenient decoding makes of faults.
#include "host/core/LenientDecoding.h"
#include "host/core/TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(Utf8Codec, OneSequenceIsWellFormedOrNothingMoves) {
    const struct {
        std::string bytes;
        std::optional<char32_t> codePoint; // nothing: no well-formed sequence at the start
        std::size_t length;
    } cases[] = {
        {"A", U'A', 1},
        {"\xC3\xA9x", 0xE9, 2},
        {"\xE2\x82\xAC", 0x20AC, 3},
        {"\xF0\x9F\x97\xBA", 0x1F5FA, 4},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"\xEF\xBF\xBF", 0xFFFF, 3},           // a non-character is still UTF-8
        {"\xC0\x80", std::nullopt, 0},         // overlong
        {"\xE0\x80\xAF", std::nullopt, 0},     // overlong
        {"\xED\xA0\x80", std::nullopt, 0},     // a surrogate
        {"\xF4\x90\x80\x80", std::nullopt, 0}, // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", std::nullopt, 0},
        {"\xE2\x82", std::nullopt, 0}, // cut short
        {"\x82", std::nullopt, 0},     // a continuation byte alone
        {"", std::nullopt, 0},
    };
    for (const auto& c : cases) {
        std::size_t at = 0;
        EXPECT_EQ(host::decodeUtf8At(c.bytes, at), c.codePoint) << testing::PrintToString(c.bytes);
        EXPECT_EQ(at, c.length) << testing::PrintToString(c.bytes);
    }
    // From the middle of a text.
    const std::string text = "a\xE2\x82\xAC";
    std::size_t at = 1;
    EXPECT_EQ(host::decodeUtf8At(text, at), char32_t{0x20AC});
    EXPECT_EQ(at, 4u);
}

TEST(Utf8Codec, TheFirstFaultIsFoundAndEachFaultyByteBecomesOneReplacement) {
    const std::string text = "ok \xE2\x82\xAC \xE2\x82 \xC0\x80!";
    EXPECT_EQ(host::findInvalidUtf8(text), 7u);
    EXPECT_EQ(host::findInvalidUtf8(text, 8), 8u); // the cut sequence's second byte
    EXPECT_EQ(host::findInvalidUtf8(text, 9), 10u);
    EXPECT_EQ(host::findInvalidUtf8(text, 12), text.size());
    EXPECT_EQ(host::utf8Replacing(text),
              "ok \xE2\x82\xAC \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD!");
    EXPECT_EQ(host::decodeUtf8(text), std::nullopt);
    EXPECT_EQ(host::decodeUtf8("\xE2\x82\xAC"), std::u32string(1, 0x20AC));
}

} // namespace
