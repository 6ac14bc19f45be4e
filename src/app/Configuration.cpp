#include "app/Configuration.h"

#include "addresses/HostsFile.h"
#include "settings/IniSettingsStore.h"
#include "support/ExePaths.h"

namespace es {

void LoadSaveConfiguration(AppSettings& settings, WindowPlacement& placement, ReportListBase& list, bool save) {
    {
        IniSettingsStore store;
        store.Open(GetExeSiblingPath(L".cfg"), save);
        ExchangeConfiguration(store, settings, placement, list);
        if (save) store.Commit();
    }
    if (!settings.RememberHosts) return;
    const std::wstring hosts = GetExeSiblingPath(L"_hosts.txt");
    if (save) SaveHostsFile(hosts, settings.addressList);
    else LoadHostsFile(hosts, settings.addressList);
}

}  // namespace es
