#pragma once
// Fake sibling functions for the sibling-call tests: each has the C signature
// the module expects, records what it received and answers from a script.
// The Siblings fixture gives them a fake host, a scripted UI and a working
// folder for the installation file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace siblingtest {

using Lines = std::vector<std::string>;
using Parts = std::array<std::string, 3>;

// Each call a fake sibling function received, as "function(texts;number)";
// the window it was given; the wait cursor depth while it ran.
inline Lines gCalls;
inline std::vector<void*> gWindows;
inline std::vector<int> gWaits;
inline hvxtest::ScriptedUi* gUi = nullptr;

// What the fake siblings answer.
struct Script {
    int answer = 1;
    std::string text;         // written into the result buffer
    std::vector<char> bytes;  // the general ledger's raw return buffer
    bool fillWithoutEnd = false;
};
inline Script gScript;

inline void Record(const char* function, void* window, const Lines& texts, int number) {
    std::string call = std::string(function) + "(";
    for (std::size_t n = 0; n < texts.size(); ++n) call += (n ? "," : "") + texts[n];
    gCalls.push_back(call + ";" + std::to_string(number) + ")");
    gWindows.push_back(window);
    gWaits.push_back(gUi->waitDepth);
}

// A function name as a template argument: one fake per exported name, each
// recording under its own name.
template <std::size_t N>
struct Name {
    char text[N];
    constexpr Name(const char (&s)[N]) { std::copy_n(s, N, text); }
};

template <Name N>
int BackOfficeFake(void* window, const char* text, char* result, int size) {
    Record(N.text, window, {text}, size);
    CopyToBuffer(gScript.text, result, static_cast<std::size_t>(size));
    return gScript.answer;
}

inline int SendDLLMessageFake(void* window, const char* command, const char* argument,
                              char* ret, int size) {
    Record("SendDLLMessage", window, {command, argument}, size);
    std::copy_n(gScript.bytes.begin(), std::min<std::size_t>(gScript.bytes.size(), size), ret);
    return gScript.answer;
}

inline void BalanceFake(void* window, const char* customer, char* balance, int size) {
    Record("GetCustomerBalanceDue", window, {customer}, size);
    CopyToBuffer(gScript.text, balance, static_cast<std::size_t>(size));
}

inline void UserNameFake(void* window, char* name, int size) {
    Record("ReturnCurrentUserName", window, {}, size);
    if (gScript.fillWithoutEnd) std::memset(name, 'x', static_cast<std::size_t>(size));
    else CopyToBuffer(gScript.text, name, static_cast<std::size_t>(size));
}

template <Name N>
void KeyFake(void* window, const char* key) {
    Record(N.text, window, {key}, -1);
}

template <Name N>
void ReportFake(void* window, const char* a, const char* b, const char* c, int options) {
    Record(N.text, window, {a, b, c}, options);
}

// The general ledger's return buffer: byte 0, then an account from byte 50.
inline std::vector<char> GLAnswer(char first, const std::string& account) {
    std::vector<char> bytes(400, '\0');
    bytes[0] = first;
    std::copy(account.begin(), account.end(), bytes.begin() + 50);
    return bytes;
}

class Siblings : public ::testing::Test {
protected:
    void SetUp() override {
        gUi = &ui;
        Reset();
    }
    void Reset() {
        host.modules.clear();
        host.sent.clear();
        ui.messages.clear();
        gCalls.clear();
        gWindows.clear();
        gWaits.clear();
        gScript = Script{};
    }
    // Every message shown, as "caption: text".
    Lines Shown() const {
        Lines lines;
        for (const auto& m : ui.messages) lines.push_back(m.caption + ": " + m.text);
        return lines;
    }
    // The calls the fake siblings received; each must have been given the
    // calling window.
    Lines Calls() const {
        for (void* w : gWindows) EXPECT_EQ(w, window);
        return gCalls;
    }

    hvxtest::FakeWorkingFolder folder;
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
    int windowTag = 0;
    hvx::HostWindow window = &windowTag;
};

}  // namespace siblingtest
