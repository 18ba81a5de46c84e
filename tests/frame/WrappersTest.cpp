#include "hostapi/wrappers/AIError.h"
#include "hostapi/wrappers/UnicodeString.h"

#include "support/FakeHost.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(AIError, CarriesTheCodeBehindAFixedText) {
    try {
        ai::CheckError(HOST_FOURCC('L', 'Y', 'R', '?'));
        FAIL() << "a non-zero code throws";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "AI Exception");
        EXPECT_EQ(dynamic_cast<const ai::Error&>(error).code(), HOST_FOURCC('L', 'Y', 'R', '?'));
    }
    EXPECT_NO_THROW(ai::CheckError(kHostNoErr));
}

TEST(UnicodeString, EachHostStringIsDisposedOnce) {
    FakeHost host;
    {
        ai::UnicodeString a(&host.unicode, "レイヤー");
        EXPECT_EQ(a.as_UTF8(), "レイヤー");
        ai::UnicodeString b = std::move(a);
        EXPECT_FALSE(a);
        EXPECT_EQ(host.liveStrings, 1);
        a = ai::UnicodeString(&host.unicode, "x");
        a = std::move(b); // disposes "x"
        EXPECT_EQ(host.liveStrings, 1);
        EXPECT_EQ(a.as_UTF8(), "レイヤー");
        host.unicode.New(",", 1, a.Receive(&host.unicode)); // disposes the old one first
        EXPECT_EQ(host.liveStrings, 1);
        EXPECT_EQ(a.as_UTF8(), ",");
    }
    EXPECT_EQ(host.liveStrings, 0);
}

TEST(UnicodeString, HostRefusalIsAnError) {
    FakeHost host;
    host.unicode.New = [](const char*, size_t, HostUString* string) -> HostErr {
        *string = nullptr;
        return kHostErrBadParameter;
    };
    ai::UnicodeString string;
    EXPECT_EQ(ai::UnicodeString::Make(&host.unicode, "\xff", string), kHostErrBadParameter);
    EXPECT_FALSE(string);
    EXPECT_EQ(ai::UnicodeString::Make(nullptr, "a", string), kHostErrSuiteNotFound);
    try {
        ai::UnicodeString thrown(&host.unicode, "\xff");
        FAIL();
    } catch (const ai::Error& error) {
        EXPECT_EQ(error.code(), kHostErrBadParameter);
    }
    EXPECT_EQ(host.liveStrings, 0);
}

} // namespace
