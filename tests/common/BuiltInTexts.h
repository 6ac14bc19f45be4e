// The built-in texts the portable tests read (a list title, two status texts, the HTML credit and
// the columns of the history report), installed for the duration of a test.
#pragma once

#include <map>
#include <string>

#include "lang/StringTable.h"

namespace testing_es {

class BuiltInTexts : public es::BuiltInTextSource {
public:
    BuiltInTexts() {
        texts_ = {{6, L"建立本報告的套用程式是"}, {8, L"Ping 清單"}, {600, L"成功"}, {610, L"請求逾時"},
                  {1001, L"主電腦名"}, {1018, L"最近結果"}, {1019, L"最近遺失率"}};
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
