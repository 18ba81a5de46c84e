#pragma once

#include "hostapi/HostTypes.h"

#define kHostUStringNotFound ((size_t)-1)

enum { kHostEncodingPlatform = 0, kHostEncodingUTF8 = 1, kHostEncodingShiftJIS = 17 };

/** Host Unicode strings. A string made by New is owned by the caller until Dispose. */
typedef struct HostUnicodeStringSuite {
    /** utf8 need not be NUL-terminated; invalid UTF-8 gives kHostErrBadParameter. */
    HostErr (*New)(const char* utf8, size_t length, HostUString* string);
    HostErr (*Dispose)(HostUString string);
    HostErr (*Set)(HostUString string, const char* utf8, size_t length);
    /** *utf8 is owned by the host and valid until the string changes or is disposed. */
    HostErr (*GetUTF8)(HostUString string, const char** utf8, size_t* length);

    /* Text operations. Positions and lengths count Unicode characters (code points). */
    HostErr (*Length)(HostUString string, size_t* length);
    /** *position is kHostUStringNotFound when what does not occur at or after from. */
    HostErr (*Find)(HostUString string, HostUString what, size_t from, size_t* position);
    /** *result is negative, 0 or positive as a sorts before, with or after b. */
    HostErr (*Compare)(HostUString a, HostUString b, int32_t* result);
    HostErr (*Erase)(HostUString string, size_t position, size_t count);
    /** Fills result (a string the caller owns) with count characters from position. */
    HostErr (*Substring)(HostUString string, size_t position, size_t count, HostUString result);
    HostErr (*Append)(HostUString string, HostUString tail);
    HostErr (*CharAt)(HostUString string, size_t position, uint32_t* codePoint);
    HostErr (*SetFromCodePoint)(HostUString string, uint32_t codePoint);

    /* Conversions. Encodings: kHostEncodingPlatform (Shift-JIS), kHostEncodingUTF8,
     * kHostEncodingShiftJIS. Bytes that are not valid in the encoding, or characters it
     * cannot hold, give kHostErrEncoding. */
    HostErr (*NewFromBytes)(const char* bytes, size_t length, int32_t encoding,
                            HostUString* string);
    /** *bytes is owned by the host and valid until the string changes or is disposed. */
    HostErr (*GetBytes)(HostUString string, int32_t encoding, const char** bytes, size_t* length);
    HostErr (*NewFromUTF16)(const uint16_t* units, size_t count, HostUString* string);
    /** *units is owned by the host and valid until the string changes or is disposed. */
    HostErr (*GetUTF16)(HostUString string, const uint16_t** units, size_t* count);
    /** Like NewFromBytes, for text of unknown quality (files from other programs): each
     *  byte sequence the encoding does not allow becomes U+FFFD instead of failing. */
    HostErr (*NewFromBytesReplacing)(const char* bytes, size_t length, int32_t encoding,
                                     HostUString* string);
} HostUnicodeStringSuite;
