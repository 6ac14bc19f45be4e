#include "settings/AppSettings.h"

namespace es {

void ExchangeAppSettings(AppSettings& s, SettingsStore& store) {
    store.ExchangeBool(L"ShowGridLines", s.ShowGridLines, 0);
    store.ExchangeInt(L"SaveFilterIndex", s.SaveFilterIndex, 0);
    store.ExchangeBool(L"ShowInfoTip", s.ShowInfoTip, 1);
    store.ExchangeBool(L"MarkFailedPings", s.MarkFailedPings, 0);
    store.ExchangeBool(L"AlwaysOnTop", s.AlwaysOnTop, 0);
    store.ExchangeBool(L"PingEvery", s.PingEvery, 1);
    store.ExchangeInt(L"PingEverySeconds", s.PingEverySeconds, 30);
    store.ExchangeInt(L"PingTimeout", s.PingTimeout, 1000);
    store.ExchangeBool(L"RememberHosts", s.RememberHosts, 1);
    store.ExchangeBool(L"IPHostDescFormat", s.IPHostDescFormat, 0);
}

}  // namespace es
