#include "shell/GeneralLedgerCall.h"

#include <cstring>

#include "platform/Format.h"
#include "platform/UiPort.h"
#include "shell/BackOfficeCalls.h"
#include "abi/SiblingAbi.h"
#include "shell/SiblingLoader.h"

namespace hvx {
namespace {

// Where a chosen account starts in the return buffer of "SEARCHACCOUNT".
constexpr int kChosenAccountOffset = 50;

void Tell(std::string_view text, std::string_view caption) {
    Ui().MessageBox(text, caption, MsgButtons::Ok, MsgIcon::Exclamation);
}

using ReturnBuffer = std::array<char, kGeneralLedgerReturnSize>;

// Sends the command; true when the general ledger answered. The codes -1 and
// unknown ones are reported under the caller's caption; -2 was reported by
// the call itself.
bool AskGeneralLedger(HostWindow window, std::string_view command, std::string_view argument,
                      ReturnBuffer& answer, std::string_view caption) {
    answer.fill('\0');
    const int code = CallGeneralLedger(window, command, argument, answer.data(),
                                       static_cast<int>(answer.size()));
    switch (code) {
        case kGLAnswer: return true;
        case kGLMissing: return false;
        case kGLBufferTooSmall: Tell("Grain return buffer too small", caption); return false;
        default: Tell("Unknown return value", caption); return false;
    }
}

bool AnsweredYes(const ReturnBuffer& answer) { return answer[0] == 1; }

// The back office knows an account by one text, field "01=".
bool AskBackOffice(HostWindow window, BackOfficeFunction function, GLAccount& account) {
    BackOfficeRecord record;
    if (!CallBackOffice(window, function, account.parts[0], record)) return false;
    account.parts = {record.Reference(), "", ""};
    return true;
}

}  // namespace

std::string SearchAccountArgument(const GLAccount& account) {
    return _HVXsprintf("%s,%s,%s", account.parts[0], account.parts[1], account.parts[2]);
}

std::string VerifyAccountArgument(const GLAccount& account) {
    if (!account.parts[2].empty()) return SearchAccountArgument(account);
    if (!account.parts[1].empty()) return _HVXsprintf("%s,%s", account.parts[0], account.parts[1]);
    return _HVXsprintf("%s", account.parts[0]);
}

GLAccount ParseChosenAccount(std::string_view text) {
    GLAccount account;
    const std::size_t first = text.find(',');
    account.parts[0] = std::string(text.substr(0, first));
    if (first == std::string_view::npos) return account;
    const std::size_t second = text.find(',', first + 1);
    account.parts[1] = std::string(text.substr(first + 1, second - first - 1));
    if (second != std::string_view::npos) account.parts[2] = std::string(text.substr(second + 1));
    return account;
}

int CallGeneralLedger(HostWindow window, std::string_view command, std::string_view argument,
                      char* returnBuffer, int returnSize) {
    const std::string caption = _HVXsprintf("%s Connection Error", kGeneralLedgerName);
    void* module = LoadSibling(kGeneralLedgerModule);
    if (!module) {
        Tell(_HVXsprintf("%s is not currently installed!", kGeneralLedgerName), caption);
        return kGLMissing;
    }
    auto send = SiblingFunctionAs<HVXSendDLLMessageFn>(module, "SendDLLMessage");
    if (!send) {
        Tell(_HVXsprintf("Function %s not found in current version of %s.", command,
                         kGeneralLedgerName),
             caption);
        return kGLMissing;
    }
    const std::string commandText(command), argumentText(argument);
    return send(window, commandText.c_str(), argumentText.c_str(), returnBuffer, returnSize);
}

bool SearchGLAccount(HostWindow window, std::string_view backOfficeSetting, GLAccount& account) {
    if (UsesBackOffice(backOfficeSetting))
        return AskBackOffice(window, BackOfficeFunction::SearchGLAccount, account);
    ReturnBuffer answer;
    if (!AskGeneralLedger(window, "SEARCHACCOUNT", SearchAccountArgument(account), answer,
                          "Grain Error") ||
        !AnsweredYes(answer))
        return false;
    const char* chosen = answer.data() + kChosenAccountOffset;
    account = ParseChosenAccount(
        std::string_view(chosen, strnlen(chosen, answer.size() - kChosenAccountOffset)));
    return true;
}

bool VerifyGLAccount(HostWindow window, std::string_view backOfficeSetting, GLAccount& account) {
    if (UsesBackOffice(backOfficeSetting))
        return AskBackOffice(window, BackOfficeFunction::VerifyGLAccount, account);
    ReturnBuffer answer;
    return AskGeneralLedger(window, "VERIFYACCOUNT", VerifyAccountArgument(account), answer,
                            kCaption) &&
           AnsweredYes(answer);
}

}  // namespace hvx
