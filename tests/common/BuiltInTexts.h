// The built-in texts the portable tests read (a list title and two status texts), installed for the
// duration of a test.
#pragma once

#include <map>
#include <string>

#include "lang/StringTable.h"

namespace testing_es {

class BuiltInTexts : public es::BuiltInTextSource {
public:
    BuiltInTexts() {
        texts_ = {{8, L"Ping 清單"}, {600, L"成功"}, {610, L"請求逾時"}};
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
