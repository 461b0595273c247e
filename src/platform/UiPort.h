#pragma once
// Every message box, popup, focus move and beep of the module goes through
// this port: the Qt layer implements it with widgets, tests with a script
// that answers from a queue and records what was shown.
#include <string>
#include <string_view>

namespace hvx {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { Exclamation, Question, Information, Stop };
enum class MsgAnswer { Ok, Cancel, Yes, No };

inline constexpr const char* kCaption = "Harvexa";

class UiPort {
public:
    virtual ~UiPort() = default;
    virtual MsgAnswer MessageBox(std::string_view text, std::string_view caption,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // A small information popup near a control: width in dialog units and the
    // distance below the control's top.
    virtual void InfoPopup(std::string_view title, std::string_view text, int width,
                           int offsetBelowTop) = 0;
    virtual void Beep() = 0;
};

// The port in force. Without one set, messages go to standard error and
// questions are answered with their first button.
void SetUiPort(UiPort* port);
UiPort& Ui();

// The usual error or warning: caption "Harvexa", exclamation icon, OK.
void ShowMessage(std::string_view text);

}  // namespace hvx
