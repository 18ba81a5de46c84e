#pragma once

#include "hostapi/HostTypes.h"

/** The host's persistent key-value store, keyed by prefix and suffix. The five kinds are
 *  kept apart: reading a key of another kind, or one that is absent, gives
 *  kHostErrNotFound and leaves the value untouched. */
typedef struct HostPreferenceSuite {
    HostErr (*GetBooleanPreference)(const char* prefix, const char* suffix, HostBool* value);
    HostErr (*PutBooleanPreference)(const char* prefix, const char* suffix, HostBool value);
    HostErr (*GetIntegerPreference)(const char* prefix, const char* suffix, int32_t* value);
    HostErr (*PutIntegerPreference)(const char* prefix, const char* suffix, int32_t value);
    HostErr (*GetRealPreference)(const char* prefix, const char* suffix, HostReal* value);
    HostErr (*PutRealPreference)(const char* prefix, const char* suffix, HostReal value);
    /** Fills value, a string the caller owns. */
    HostErr (*GetUnicodeStringPreference)(const char* prefix, const char* suffix,
                                          HostUString value);
    HostErr (*PutUnicodeStringPreference)(const char* prefix, const char* suffix,
                                          HostUString value);
    /** Fills value, a path the caller owns. */
    HostErr (*GetFilePathSpecificationPreference)(const char* prefix, const char* suffix,
                                                  HostFilePath value);
    HostErr (*PutFilePathSpecificationPreference)(const char* prefix, const char* suffix,
                                                  HostFilePath value);
} HostPreferenceSuite;
