// The built-in texts the rows and reports use, installed for the duration of a test.
#pragma once

#include <map>
#include <string>

#include "lang/StringTable.h"

namespace testing_es {

class BuiltInTexts : public es::BuiltInTextSource {
public:
    BuiltInTexts() {
        texts_ = {
            {6, L"建立本報告的套用程式是"}, {8, L"Ping 清單"}, {14, L"載入中... %d"},
            {600, L"成功"}, {610, L"請求逾時"}, {630, L"非法主電腦名稱"},
            {1001, L"主電腦名"}, {1002, L"IP 位址"}, {1003, L"為回應特殊的 IP 位址"}, {1004, L"成功計數"},
            {1005, L"失敗計數"}, {1006, L"上次測試狀態"}, {1007, L"上次響應時間"}, {1008, L"平均響應時間"},
            {1009, L"為上次測試特殊的生存時間"}, {1010, L"描述"},
        };
        es::InstallBuiltInTexts(this);
    }
    ~BuiltInTexts() override { es::InstallBuiltInTexts(nullptr); }
    std::wstring Load(std::uint16_t id) override {
        auto it = texts_.find(id);
        return it == texts_.end() ? std::wstring() : it->second;
    }

private:
    std::map<int, std::wstring> texts_;
};

}  // namespace testing_es
