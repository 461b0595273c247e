#pragma once
// The one path of every document export: read the stored rows into a
// document under a watch on the engine, tell the user why when that fails
// (the engine's reason on a line of its own), otherwise lay the document out
// and put it out.
#include <string>

#include "ReportOutput.h"
#include "platform/EngineReason.h"
#include "platform/ReportLayout.h"
#include "platform/UiPort.h"

namespace h32grr {

template <class Load>
void PrintDocument(Load load) {
    hvx::report::Document document;
    std::string message;
    if (!hvx::RunExplained(message, [&] { return load(document, message); })) {
        hvx::ShowMessage(message);
        return;
    }
    OutputReport(hvx::report::LayOut(document));
}

}  // namespace h32grr
