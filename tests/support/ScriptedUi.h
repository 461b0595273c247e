#pragma once
// A UI port for tests: answers questions from a queue (then with the first
// button) and records every message, popup and beep in order.
#include <deque>
#include <string>
#include <vector>

#include "platform/UiPort.h"

namespace hvxtest {

struct ShownMessage {
    std::string text, caption;
    hvx::MsgButtons buttons;
    hvx::MsgIcon icon;
};

class ScriptedUi final : public hvx::UiPort {
public:
    std::deque<hvx::MsgAnswer> answers;
    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> popups;  // title in caption
    int beeps = 0;

    ScriptedUi() { hvx::SetUiPort(this); }
    ~ScriptedUi() override { hvx::SetUiPort(nullptr); }

    hvx::MsgAnswer MessageBox(std::string_view text, std::string_view caption,
                              hvx::MsgButtons buttons, hvx::MsgIcon icon) override;
    void InfoPopup(std::string_view title, std::string_view text, int width,
                   int offsetBelowTop) override;
    void Beep() override { ++beeps; }
    void SetFocus(std::string_view field) override { focus.emplace_back(field); }
    void SetWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
    double SearchWin(std::string& startText, std::string_view columns, std::string_view select,
                     std::string_view keyColumn) override;
    double TitledSearchWin(std::string_view title, std::string& startText,
                           std::string_view columns, std::string_view select,
                           std::string_view keyColumn) override {
        pickTitles.emplace_back(title);
        return SearchWin(startText, columns, select, keyColumn);
    }
    void DoComment(std::string_view table, std::string_view link) override {
        comments.push_back(std::string(table) + ":" + std::string(link));
    }
    std::string OpenFileName(std::string_view, std::string_view, std::string_view) override;
    std::string SaveFileName(std::string_view, std::string_view, std::string_view) override;
    void ShowHelp(std::string_view file, int context) override {
        help.push_back(std::string(file) + "#" + std::to_string(context));
    }

    int lastPopupWidth = 0, lastPopupOffset = 0;
    std::vector<std::string> focus;  // fields in the order the focus moved to them
    int waitDepth = 0;
    // Pick lists: each answer is the RECNO to return and the text to leave.
    struct Pick {
        double recno;
        std::string text;
    };
    std::deque<Pick> picks;
    std::vector<std::string> pickLists;  // the select of each list shown
    std::vector<std::string> pickTitles;  // the title of each titled list
    std::vector<std::string> pickColumns, pickKeys;  // its column list and key column
    std::vector<std::string> comments;   // "table:link" of each editor opened
    std::deque<std::string> fileNames;   // answers of the file dialogs ("" cancels)
    std::vector<std::string> help;       // "file#context" of each help call
};

}  // namespace hvxtest
