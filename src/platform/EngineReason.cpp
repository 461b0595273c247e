#include "platform/EngineReason.h"

namespace hvx {
namespace {

// Watches nest along the call stack of one command; the innermost is last.
EngineFailureWatch* gInnermost = nullptr;

}  // namespace

EngineFailureWatch::EngineFailureWatch() : outer_(gInnermost) { gInnermost = this; }

EngineFailureWatch::~EngineFailureWatch() { gInnermost = outer_; }

void NoteEngineFailure(std::string_view reason) {
    if (reason.empty()) return;
    for (EngineFailureWatch* w = gInnermost; w; w = w->outer_)
        if (w->reason_.empty()) w->reason_ = reason;
}

std::string WithEngineReason(std::string_view message) {
    std::string text(message);
    if (!gInnermost || gInnermost->Reason().empty() || text.empty()) return text;
    const std::string& reason = gInnermost->Reason();
    const bool carried = text.size() >= reason.size() &&
                         text.compare(text.size() - reason.size(), reason.size(), reason) == 0;
    if (!carried) text += "\n" + reason;
    return text;
}

}  // namespace hvx
