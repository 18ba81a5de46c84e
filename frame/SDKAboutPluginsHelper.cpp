#include "frame/SDKAboutPluginsHelper.h"

#include "frame/HostSuites.h"
#include "frame/MenuGroups.h"
#include "hostapi/suites/MenuSuite.h"
#include "hostapi/wrappers/UnicodeString.h"

namespace {

/** The menu suite, held for one call. */
class ScopedMenuSuite {
public:
    explicit ScopedMenuSuite(const HostBasicSuite* basic) : basic_(basic) {}
    ScopedMenuSuite(const ScopedMenuSuite&) = delete;
    ScopedMenuSuite& operator=(const ScopedMenuSuite&) = delete;
    ~ScopedMenuSuite() {
        if (suite_ != nullptr) basic_->ReleaseSuite(kHostMenuSuite, kHostMenuSuiteVersion);
    }

    HostErr Acquire() {
        if (basic_ == nullptr) return kHostErrSuiteNotFound;
        const void* table = nullptr;
        if (const HostErr err = basic_->AcquireSuite(kHostMenuSuite, kHostMenuSuiteVersion, &table))
            return err;
        suite_ = static_cast<const HostMenuSuite*>(table);
        return suite_ != nullptr ? kHostNoErr : kHostErrSuiteNotFound;
    }
    const HostMenuSuite* operator->() const { return suite_; }
    const HostMenuSuite* get() const { return suite_; }

private:
    const HostBasicSuite* basic_;
    const HostMenuSuite* suite_ = nullptr;
};

} // namespace

HostErr SDKAboutPluginsHelper::AddAboutPluginsMenuItem(HostMessageData* message,
                                                       const char* groupName, HostUString title,
                                                       const char* itemText,
                                                       HostMenuItemHandle* item) {
    ScopedMenuSuite menu(message->basic);
    if (const HostErr err = menu.Acquire()) return err;

    bool found = false;
    if (const HostErr err = frame::FindMenuGroup(menu.get(), groupName, &found)) return err;
    if (!found) {
        HostMenuItemHandle subMenuItem = nullptr;
        if (const HostErr err = menu->AddMenuItem(message->self, nullptr, kHostAboutMenuGroup,
                                                  title, 0, &subMenuItem))
            return err;
        HostMenuGroup group = nullptr;
        if (const HostErr err = menu->AddMenuGroupAsSubMenu(
                groupName, kHostMenuGroupSortedAlphabetically, subMenuItem, &group))
            return err;
    }

    ai::UnicodeString text;
    if (const HostErr err = ai::UnicodeString::Make(sUnicodeString, itemText, text)) return err;
    return menu->AddMenuItem(message->self, nullptr, groupName, text.get(), 0, item);
}
