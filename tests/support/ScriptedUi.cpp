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


double ScriptedUi::SearchWin(std::string& startText, std::string_view columns,
                             std::string_view select, std::string_view keyColumn) {
    pickLists.emplace_back(select);
    pickColumns.emplace_back(columns);
    pickKeys.emplace_back(keyColumn);
    if (picks.empty()) return 0;
    const Pick p = picks.front();
    picks.pop_front();
    if (p.recno != 0) startText = p.text;
    return p.recno;
}

std::string ScriptedUi::OpenFileName(std::string_view, std::string_view, std::string_view) {
    if (fileNames.empty()) return {};
    std::string name = fileNames.front();
    fileNames.pop_front();
    return name;
}

std::string ScriptedUi::SaveFileName(std::string_view title, std::string_view filter,
                                     std::string_view folder) {
    return OpenFileName(title, filter, folder);
}

}  // namespace hvxtest
