#include "lang/ReportLanguage.h"

#include <utility>

namespace es {

namespace {
ReportLanguage& Current() {
    static ReportLanguage language;
    return language;
}
}  // namespace

const ReportLanguage& GetReportLanguage() { return Current(); }
void SetReportLanguage(ReportLanguage language) { Current() = std::move(language); }

}  // namespace es
