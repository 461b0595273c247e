#include "support/ScriptedUi.h"

namespace hvxtest {

hvx::MsgAnswer ScriptedUi::MessageBox(std::string_view text, std::string_view caption,
                                      hvx::MsgButtons buttons, hvx::MsgIcon icon) {
    messages.push_back({std::string(text), std::string(caption), buttons, icon});
    if (!answers.empty()) {
        const hvx::MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == hvx::MsgButtons::YesNo || buttons == hvx::MsgButtons::YesNoCancel
               ? hvx::MsgAnswer::Yes
               : hvx::MsgAnswer::Ok;
}

void ScriptedUi::InfoPopup(std::string_view title, std::string_view text, int width,
                           int offsetBelowTop) {
    popups.push_back({std::string(text), std::string(title), hvx::MsgButtons::Ok,
                      hvx::MsgIcon::Information});
    lastPopupWidth = width;
    lastPopupOffset = offsetBelowTop;
}

}  // namespace hvxtest
