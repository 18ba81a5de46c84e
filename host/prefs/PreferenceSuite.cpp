#include "hostapi/suites/PreferenceSuite.h"

#include "host/core/Errors.h"
#include "host/core/Faults.h"
#include "host/core/SuiteContext.h"
#include "host/prefs/PreferenceStore.h"
#include "host/prefs/PreferenceSuite.h"

namespace host {
namespace {

PreferenceStore& store() {
    return SuiteContext::current()->preferences();
}

template <class T, class Out, class Convert>
HostErr Get(const char* prefix, const char* suffix, Out* value, Convert convert) {
    if (prefix == nullptr || suffix == nullptr || value == nullptr) return kHostErrBadParameter;
    return guarded([&]() -> HostErr {
        const T* found = store().get<T>(prefix, suffix);
        if (found == nullptr) return kHostErrNotFound;
        return convert(*found, *value);
    });
}

HostErr Put(const char* prefix, const char* suffix, PreferenceValue value) {
    if (prefix == nullptr || suffix == nullptr) return kHostErrBadParameter;
    return guarded([&]() -> HostErr { return store().put(prefix, suffix, std::move(value)); });
}

template <class T> HostErr Copy(const T& from, T& to) {
    to = from;
    return kHostNoErr;
}

HostErr GetBooleanPreference(const char* prefix, const char* suffix, HostBool* value) {
    HOST_OP(kHostPreferenceSuite, "GetBooleanPreference");
    return Get<bool>(prefix, suffix, value, [](bool from, HostBool& to) {
        to = from ? 1 : 0;
        return kHostNoErr;
    });
}

HostErr PutBooleanPreference(const char* prefix, const char* suffix, HostBool value) {
    HOST_OP(kHostPreferenceSuite, "PutBooleanPreference");
    return Put(prefix, suffix, value != 0);
}

HostErr GetIntegerPreference(const char* prefix, const char* suffix, int32_t* value) {
    HOST_OP(kHostPreferenceSuite, "GetIntegerPreference");
    return Get<std::int32_t>(prefix, suffix, value, Copy<std::int32_t>);
}

HostErr PutIntegerPreference(const char* prefix, const char* suffix, int32_t value) {
    HOST_OP(kHostPreferenceSuite, "PutIntegerPreference");
    return Put(prefix, suffix, value);
}

HostErr GetRealPreference(const char* prefix, const char* suffix, HostReal* value) {
    HOST_OP(kHostPreferenceSuite, "GetRealPreference");
    return Get<double>(prefix, suffix, value, Copy<double>);
}

HostErr PutRealPreference(const char* prefix, const char* suffix, HostReal value) {
    HOST_OP(kHostPreferenceSuite, "PutRealPreference");
    return Put(prefix, suffix, value);
}

HostErr GetUnicodeStringPreference(const char* prefix, const char* suffix, HostUString value) {
    HOST_OP(kHostPreferenceSuite, "GetUnicodeStringPreference");
    HostUStringOpaque* string = SuiteContext::current()->strings().find(value);
    if (string == nullptr) return kHostErrBadHandle;
    return Get<PreferenceText>(prefix, suffix, string,
                               [](const PreferenceText& from, HostUStringOpaque& to) {
                                   to.utf8 = from.utf8;
                                   return kHostNoErr;
                               });
}

HostErr PutUnicodeStringPreference(const char* prefix, const char* suffix, HostUString value) {
    HOST_OP(kHostPreferenceSuite, "PutUnicodeStringPreference");
    const HostUStringOpaque* string = SuiteContext::current()->strings().find(value);
    if (string == nullptr) return kHostErrBadHandle;
    return guarded([&] { return Put(prefix, suffix, PreferenceText{string->utf8}); });
}

HostErr GetFilePathSpecificationPreference(const char* prefix, const char* suffix,
                                           HostFilePath value) {
    HOST_OP(kHostPreferenceSuite, "GetFilePathSpecificationPreference");
    HostFilePathOpaque* path = SuiteContext::current()->filePaths().find(value);
    if (path == nullptr) return kHostErrBadHandle;
    return Get<PreferencePath>(prefix, suffix, path,
                               [](const PreferencePath& from, HostFilePathOpaque& to) {
                                   to.path = from.path;
                                   return kHostNoErr;
                               });
}

HostErr PutFilePathSpecificationPreference(const char* prefix, const char* suffix,
                                           HostFilePath value) {
    HOST_OP(kHostPreferenceSuite, "PutFilePathSpecificationPreference");
    const HostFilePathOpaque* path = SuiteContext::current()->filePaths().find(value);
    if (path == nullptr) return kHostErrBadHandle;
    return guarded([&] { return Put(prefix, suffix, PreferencePath{path->path}); });
}

constexpr HostPreferenceSuite kTable = {
    GetBooleanPreference,
    PutBooleanPreference,
    GetIntegerPreference,
    PutIntegerPreference,
    GetRealPreference,
    PutRealPreference,
    GetUnicodeStringPreference,
    PutUnicodeStringPreference,
    GetFilePathSpecificationPreference,
    PutFilePathSpecificationPreference,
};

} // namespace

void installPreferenceSuite(SuiteRegistry& registry) {
    registry.provide(kHostPreferenceSuite, kHostPreferenceSuiteVersion, &kTable);
}

} // namespace host
