#include "app/Configuration.h"

namespace es {

void ExchangeConfiguration(SettingsStore& store, AppSettings& settings, WindowPlacement& placement,
                           ReportListBase& list) {
    ExchangeAppSettings(settings, store);
    ExchangeWindowPlacement(placement, store);
    list.PersistColumns(store);
    ExchangeWatchSettings(settings, store);
    ExchangeGraphPlacement(settings.graphPlacement, store);
    ExchangeThemeSetting(settings, store);
}

}  // namespace es
