#include "app/Configuration.h"

#include "addresses/HostsFile.h"
#include "settings/IniSettingsStore.h"
#include "support/ExePaths.h"

namespace es {

std::uint32_t LoadSaveConfiguration(AppSettings& settings, WindowPlacement& placement, ReportListBase& list, bool save) {
    std::uint32_t error = 0;
    {
        IniSettingsStore store;
        store.Open(GetExeSiblingPath(L".cfg"), save);
        ExchangeConfiguration(store, settings, placement, list);
        if (save) error = store.Commit();
    }
    if (!settings.RememberHosts) return error;
    const std::wstring hosts = GetExeSiblingPath(L"_hosts.txt");
    if (!save) LoadHostsFile(hosts, settings.addressList);
    else if (!SaveHostsFile(hosts, settings.addressList) && !error) error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
    return error;
}

}  // namespace es
