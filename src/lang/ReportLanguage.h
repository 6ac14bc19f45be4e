// What the translation file says about the reports' language: reading direction and the
// character-set name for HTML heads. Unset without a translation file.
#pragma once

#include <string>

namespace es {

struct ReportLanguage {
    bool rightToLeft = false;
    std::wstring charset;
};

const ReportLanguage& GetReportLanguage();
void SetReportLanguage(ReportLanguage language);

}  // namespace es
