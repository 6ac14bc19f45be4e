// Dialog templates 105, 107, 109, 112 and 1096 as Windows builds them, and the pictures.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/ResourceIds.h"

namespace {

struct ControlSpec {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD styleBits;     // must all be set
    RECT dlu;            // x, y, w, h in dialog units; w == 0 skips the check
    bool visible = true;
};

struct DialogSpec {
    int id;
    const wchar_t* caption;
    int width, height;   // dialog units
    DWORD styleBits;
    std::vector<ControlSpec> controls;
};

struct ChildInfo {
    int id;
    std::wstring className, text;
    DWORD style;
    RECT rect;
    DWORD exStyle = 0;
};

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DialogResources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
        ::InitCommonControlsEx(&icc);
    }

    void Check(const DialogSpec& expected) {
        HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(expected.id), nullptr, Inert, 0);
        ASSERT_NE(dialog, nullptr) << "dialog " << expected.id;
        wchar_t caption[256] = {};
        ::GetWindowTextW(dialog, caption, 256);
        EXPECT_STREQ(caption, expected.caption);
        DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE));
        EXPECT_EQ(style & expected.styleBits, expected.styleBits);

        RECT size = {0, 0, expected.width, expected.height}, client;
        ::MapDialogRect(dialog, &size);
        ::GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        LOGFONTW font = {};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_STREQ(font.lfFaceName, L"新細明體");

        std::vector<ChildInfo> children;
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            ChildInfo info{::GetDlgCtrlID(child), {}, {}, static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE)), {}};
            wchar_t buffer[512] = {};
            ::GetClassNameW(child, buffer, 512);
            info.className = buffer;
            ::GetWindowTextW(child, buffer, 512);
            info.text = buffer;
            ::GetWindowRect(child, &info.rect);
            info.exStyle = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_EXSTYLE));
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&info.rect), 2);
            children.push_back(info);
        }
        ASSERT_EQ(children.size(), expected.controls.size()) << "dialog " << expected.id;
        for (std::size_t i = 0; i < children.size(); ++i) {
            const auto& want = expected.controls[i];
            const auto& got = children[i];
            SCOPED_TRACE(testing::Message() << "dialog " << expected.id << " control " << want.id);
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(_wcsicmp(got.className.c_str(), want.className), 0) << "class " << got.className;
            if (want.text) {
                EXPECT_EQ(got.text, want.text);
            }
            EXPECT_EQ(got.style & want.styleBits, want.styleBits);
            if (_wcsicmp(want.className, L"Edit") == 0) {
                // A bordered edit box in a dialog gets the sunken client edge instead of WS_BORDER.
                EXPECT_TRUE((got.style & WS_BORDER) || (got.exStyle & WS_EX_CLIENTEDGE));
            }
            EXPECT_EQ((got.style & WS_VISIBLE) != 0, want.visible);
            if (want.dlu.right > 0) {
                // The dialog manager converts position and size separately.
                RECT r = want.dlu;
                ::MapDialogRect(dialog, &r);
                EXPECT_EQ(got.rect.left, r.left);
                EXPECT_EQ(got.rect.top, r.top);
                EXPECT_EQ(got.rect.right - got.rect.left, r.right);
                if (want.dlu.bottom > 0) {
                    EXPECT_EQ(got.rect.bottom - got.rect.top, r.bottom);
                }
            }
        }
        ::DestroyWindow(dialog);
    }
};

TEST_F(DialogResources, PingOptions109) {
    Check({109, L"Ping 選項", 374, 244, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, {
        {1006, L"Static", L"要 ping 的位址清單:", 0, {9, 7, 236, 9}},
        {1005, L"Edit", L"", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, {7, 17, 360, 128}},
        {1007, L"Static", L"Ping 逾時 (毫秒):", 0, {9, 154, 76, 8}},
        {1008, L"ComboBox", nullptr, CBS_DROPDOWN, {100, 152, 57, 0}},
        {1009, L"Button", L"Ping 重試間隔時間...", BS_AUTOCHECKBOX, {7, 173, 88, 11}},
        {1010, L"Edit", L"", ES_NUMBER, {101, 172, 36, 12}},
        {1011, L"Static", L"秒", 0, {142, 174, 52, 8}},
        {1012, L"Button", L"記憶位址清單", BS_AUTOCHECKBOX, {7, 191, 134, 10}},
        {1013, L"Button", L"使用 IP-主電腦 描述格式", BS_AUTOCHECKBOX, {7, 206, 209, 10}},
        {1, L"Button", L"確定", BS_DEFPUSHBUTTON, {253, 223, 50, 14}},
        {2, L"Button", L"取消", 0, {317, 223, 50, 14}},
    }});
}

TEST_F(DialogResources, About112) {
    Check({112, L"", 195, 78, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, {
        {1, L"Button", L"確定", BS_DEFPUSHBUTTON, {145, 57, 43, 14}},
        {-1, L"Static", nullptr, SS_ICON, {14, 15, 0, 0}},
        {1002, L"Static", L"", 0, {41, 15, 130, 16}},
        {1004, L"Static", L"", 0, {40, 34, 118, 8}},
        {1005, L"Static", L"轉換:", 0, {7, 51, 45, 8}},
        {1006, L"Static", L"", 0, {7, 61, 120, 8}},
    }});
}

TEST_F(DialogResources, Properties105) {
    Check({105, L"屬性", 324, 226, WS_POPUP | WS_CAPTION | WS_SYSMENU, {
        {1, L"Button", L"確定", BS_DEFPUSHBUTTON, {}},
        {1001, L"Static", L"", 0, {}, false},
        {1000, L"Edit", L"", ES_READONLY | ES_AUTOHSCROLL, {}, false},
    }});
}

TEST_F(DialogResources, Exception107) {
    Check({107, L"異常 !", 270, 125, WS_POPUP | WS_CAPTION | WS_SYSMENU, {
        {1003, L"Static", L"生成了以下套用錯誤：", 0, {}},
        {1002, L"Edit", L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL, {}},
        {1004, L"Static", L"如果這個問題繼續存在，請複製上面異常資訊到剪貼簿，並且將它反饋給軟體的作者。", 0, {}},
        {3, L"Button", L"複製異常資訊", BS_DEFPUSHBUTTON, {}},
        {1, L"Button", L"繼續", 0, {}},
        {2, L"Button", L"終止套用", 0, {}},
    }});
}

TEST_F(DialogResources, ColumnSettings1096) {
    Check({1096, L"欄設定", 216, 215, WS_POPUP | WS_CAPTION | WS_SYSMENU, {
        {1000, L"Static", L"選取你想顯示的欄位，使用上移和下移按鈕來調整", 0, {}},
        {1001, L"SysListView32", nullptr, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS, {}},
        {1003, L"Button", L"上移", 0, {}},
        {1004, L"Button", L"下移", 0, {}},
        {1006, L"Button", L"顯示", 0, {}},
        {1007, L"Button", L"隱藏", 0, {}},
        {1008, L"Button", L"預設", 0, {}},
        {1002, L"Static", L"設定欄寬度 (像素):", 0, {}},
        {1005, L"Edit", L"", ES_NUMBER, {}},
        {65535, L"Static", L"", SS_ETCHEDHORZ, {}},
        {1, L"Button", L"確定", BS_DEFPUSHBUTTON, {}},
        {2, L"Button", L"取消", 0, {}},
    }});
}

SIZE BitmapSize(int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info = {};
    if (bitmap) ::GetObjectW(bitmap, sizeof(info), &info);
    if (bitmap) ::DeleteObject(bitmap);
    return {info.bmWidth, info.bmHeight};
}

TEST(Pictures, BitmapsHaveTheirStripSizes) {
    struct {
        int id;
        LONG cx, cy;
    } cases[] = {{104, 128, 16}, {110, 48, 16}, {133, 16, 16}, {134, 16, 16}};
    for (auto c : cases) {
        SIZE size = BitmapSize(c.id);
        EXPECT_EQ(size.cx, c.cx) << "bitmap " << c.id;
        EXPECT_EQ(size.cy, c.cy) << "bitmap " << c.id;
    }
}

TEST(Pictures, RowImagesUseTheirMaskColourAsBackground) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(110), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(0, 128, 128));
    EXPECT_EQ(::GetPixel(dc, 47, 15), RGB(0, 128, 128));
    // The three balls: grey, green, red at their centres.
    COLORREF grey = ::GetPixel(dc, 9, 10), green = ::GetPixel(dc, 25, 10), red = ::GetPixel(dc, 41, 10);
    EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));
    EXPECT_GT(GetGValue(green), GetRValue(green));
    EXPECT_GT(GetRValue(red), GetGValue(red));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}

TEST(Pictures, IconAndHandCursorLoad) {
    HINSTANCE self = ::GetModuleHandleW(nullptr);
    EXPECT_NE(::LoadImageW(self, MAKEINTRESOURCEW(101), IMAGE_ICON, 32, 32, 0), nullptr);
    EXPECT_NE(::LoadImageW(self, MAKEINTRESOURCEW(101), IMAGE_ICON, 16, 16, 0), nullptr);
    HCURSOR hand = ::LoadCursorW(self, MAKEINTRESOURCEW(103));
    ASSERT_NE(hand, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
}

TEST(Pictures, ManifestAsksForCommonControls6) {
    HRSRC manifest = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    auto* text = static_cast<const char*>(::LockResource(::LoadResource(nullptr, manifest)));
    std::string body(text, ::SizeofResource(nullptr, manifest));
    EXPECT_NE(body.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(body.find("level=\"asInvoker\""), std::string::npos);
}

}  // namespace
