// The body of a chart report as HTML: the chart's texts as the analysis editor shows them
// (paragraph colours and bold) and, for a case, its comment with the formats of its runs.
#pragma once

#include <string>

#include "platform/rich_text_sink.h"
#include "store/case_actions.h"

namespace taiyi::cli {

// comment may be null (a chart that is no case).
std::string ReportBodyHtml(const RichTextRecorder& texts, const CaseComment* comment);

}  // namespace taiyi::cli
