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

    int lastPopupWidth = 0, lastPopupOffset = 0;
};

}  // namespace hvxtest
