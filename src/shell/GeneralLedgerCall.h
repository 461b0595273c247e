#pragma once
// G/L account search and check: through the general ledger (SendDLLMessage of
// H32GL.DLL), or through the back office when the back-office setting is
// "TORVALE".
//
// A general-ledger account has up to three parts. The general ledger takes
// them joined by commas and answers in a 400-byte return buffer: byte 0 is 1
// when the account was chosen or exists, and a chosen account follows from
// byte 50 on as its three parts joined by commas.
#include <array>
#include <string>
#include <string_view>

#include "platform/HostPort.h"

namespace hvx {

inline constexpr const char* kGeneralLedgerModule = "H32GL.DLL";
inline constexpr const char* kGeneralLedgerName = "General Ledger";

// Return codes of SendDLLMessage.
inline constexpr int kGLAnswer = 0;
inline constexpr int kGLBufferTooSmall = -1;
inline constexpr int kGLMissing = -2;

struct GLAccount {
    std::array<std::string, 3> parts;
};

// "%s,%s,%s": the argument of "SEARCHACCOUNT", always all three parts.
std::string SearchAccountArgument(const GLAccount& account);
// The argument of "VERIFYACCOUNT": "%s", "%s,%s" or "%s,%s,%s" by the number
// of parts the account has, counted up to its last non-empty part.
std::string VerifyAccountArgument(const GLAccount& account);
// The chosen account of a search answer, split at its first two commas (the
// third part keeps any further comma); missing parts are empty.
GLAccount ParseChosenAccount(std::string_view text);

// Sends a command to the general ledger. Returns the sibling's answer, or -2
// after telling the user that the sibling ("%s is not currently installed!")
// or its function ("Function %s not found in current version of %s.") is
// missing, under the caption "General Ledger Connection Error".
int CallGeneralLedger(HostWindow window, std::string_view command, std::string_view argument,
                      char* returnBuffer, int returnSize);

// The account search: true when the user chose an account, which then
// replaces account. Anything else leaves account as it was.
bool SearchGLAccount(HostWindow window, std::string_view backOfficeSetting, GLAccount& account);

// The account check: true when the account exists. Through the back office,
// an existing account is replaced by the back office's own (field "01=", with
// the second and third parts empty).
bool VerifyGLAccount(HostWindow window, std::string_view backOfficeSetting, GLAccount& account);

}  // namespace hvx
