#pragma once
// The one way every document of the sibling comes out. When
// HARVEXA_REPORT_PDF names a file, the document is written there as a PDF
// without any window (the unattended runs of tests and demonstrations);
// otherwise a print preview opens in which the clerk pages through it and
// prints it or saves it as a PDF.
#include "platform/ReportLayout.h"

namespace h32grr {

void OutputReport(const hvx::report::Layout& layout);

}  // namespace h32grr
