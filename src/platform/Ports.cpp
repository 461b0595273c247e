// The host and UI ports in force, and the fallbacks used without them.
#include <cstdio>

#include "platform/EngineReason.h"
#include "platform/HostPort.h"
#include "platform/UiPort.h"

namespace hvx {
namespace {

HostPort* gHost = nullptr;

// Without a window system, messages still reach the person running the
// program, and questions take their first answer.
class ConsoleUi final : public UiPort {
public:
    MsgAnswer MessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                         MsgIcon) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
        switch (buttons) {
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel:
                return MsgAnswer::Yes;
            default:
                return MsgAnswer::Ok;
        }
    }
    void InfoPopup(std::string_view title, std::string_view text, int, int) override {
        MessageBox(text, title, MsgButtons::Ok, MsgIcon::Information);
    }
    void Beep() override {}
    void SetFocus(std::string_view) override {}
    void SetWaitCursor(bool) override {}
    double SearchWin(std::string&, std::string_view, std::string_view, std::string_view) override {
        return 0;
    }
    void DoComment(std::string_view, std::string_view) override {}
    std::string OpenFileName(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    std::string SaveFileName(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    void ShowHelp(std::string_view, int) override {}
};

ConsoleUi gConsole;
UiPort* gUi = nullptr;

}  // namespace

void SetHostPort(HostPort* port) { gHost = port; }
HostPort* CurrentHostPort() { return gHost; }

void SetUiPort(UiPort* port) { gUi = port; }
UiPort& Ui() { return gUi ? *gUi : gConsole; }

void ShowMessage(UiPort& ui, std::string_view text) {
    ui.MessageBox(WithEngineReason(text), kCaption, MsgButtons::Ok, MsgIcon::Exclamation);
}

void ShowMessage(std::string_view text) { ShowMessage(Ui(), text); }

}  // namespace hvx

hvx::HostWindow HVXReturnMDIWin() {
    hvx::HostPort* host = hvx::CurrentHostPort();
    return host ? host->MainWindow() : nullptr;
}
