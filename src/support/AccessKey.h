// Access keys for menu texts made at run time from texts that have none, such as column titles.
// Portable: no platform calls.
#pragma once

#include <string>
#include <string_view>

namespace es {

// The title as a menu text: its '&'s doubled so that they show, and an access key that `used` does
// not hold yet, which is added to it (upper case). The key is the first letter or digit (A to Z,
// 0 to 9) that begins a word, else the first such character anywhere; a title without a free one
// (a Chinese title, say) gets one appended in the CJK manner, "(&A)", the first free of A to Z and
// 1 to 9. When every key is taken the title has none.
std::wstring WithAccessKey(std::wstring_view title, std::wstring& used);

// A menu text without its access key, for a tool tip: an appended "(&X)" goes whole, a lone '&'
// alone; "&&" stays, as the tip shows it as one '&'.
std::wstring WithoutAccessKey(std::wstring_view menuText);

}  // namespace es
