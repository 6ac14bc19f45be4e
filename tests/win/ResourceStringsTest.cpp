// The string table as the program carries it, checked text by text against the texts it must show.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "resources/ResourceIds.h"

namespace {

std::wstring Load(UINT id) {
    wchar_t buffer[4096] = {};
    int n = ::LoadStringW(::GetModuleHandleW(nullptr), id, buffer, 4096);
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

const std::map<UINT, std::wstring>& ExpectedStrings() {
    static const std::map<UINT, std::wstring> strings = {
        {4, L"共 %d 項"},
        {5, L"\", 已選取 %d 個\""},
        {6, L"建立本報告的套用程式是"},
        {7, L"選取一個檔名存盤"},
        {8, L"Ping 清單"},
        {9, L"載入選取的位址檔案"},
        {14, L"載入中... %d"},
        {501, L"文字檔案"},
        {502, L"製表符分隔的文字檔案"},
        {503, L"空格分隔的表格化文字檔案"},
        {504, L"HTML 檔案 - 橫印排序"},
        {505, L"HTML 檔案 - 直印排序"},
        {506, L"XML 檔案"},
        {507, L"逗號分隔的文字檔案"},
        {600, L"成功"},
        {601, L"緩沖區太小"},
        {602, L"目的網路不可達"},
        {603, L"目的主電腦不可達"},
        {604, L"目的協定不可達"},
        {605, L"目的連線埠不可達"},
        {606, L"無資源"},
        {607, L"非法選項"},
        {609, L"封包過大"},
        {610, L"請求逾時"},
        {611, L"非法請求"},
        {612, L"非法路由"},
        {613, L"傳輸時生存時間耗盡"},
        {614, L"重組時生存時間耗盡"},
        {618, L"非法目的"},
        {630, L"非法主電腦名稱"},
        {701, L"文字檔案"},
        {702, L"所有檔案"},
        {1001, L"主電腦名"},
        {1002, L"IP 位址"},
        {1003, L"為回應特殊的 IP 位址"},
        {1004, L"成功計數"},
        {1005, L"失敗計數"},
        {1006, L"上次測試狀態"},
        {1007, L"上次響應時間"},
        {1008, L"平均響應時間"},
        {1009, L"為上次測試特殊的生存時間"},
        {1010, L"描述"},
    };
    return strings;
}

TEST(StringTable, EveryIdHasExactlyItsText) {
    const auto& expected = ExpectedStrings();
    for (UINT id = 0; id <= 0xFFFF; ++id) {
        auto it = expected.find(id);
        std::wstring text = Load(id);
        if (it == expected.end()) {
            EXPECT_TRUE(text.empty()) << "id " << id << " should have no text";
        } else {
            EXPECT_EQ(text, it->second) << "id " << id;
        }
    }
}

TEST(StringTable, StatusIdsWithoutTextStayEmpty) {
    for (UINT id : {608u, 615u, 616u, 617u, 650u}) EXPECT_EQ(Load(id), L"") << id;
}

TEST(StringTable, CarriesLanguage1028) {
    HRSRC block = ::FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(1001 / 16 + 1),
                                    MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL));
    EXPECT_NE(block, nullptr);
    EXPECT_EQ(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), 1028);
}

}  // namespace
