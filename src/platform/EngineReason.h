#pragma once
// The engine's own reason behind a failure message.
//
// The system's messages say what could not be done ("Unable to insert source
// …"); why is the engine's to say ("database disk image is malformed", a
// violated constraint, a lost server). A watch is opened around one command
// of a window; the first statement that fails while it is open leaves its
// reason with it (the first, because what fails after it in the same
// transaction only fails for its sake), and the command's message gets it
// as a second line.
#include <string>
#include <string_view>

namespace hvx {

class EngineFailureWatch {
public:
    EngineFailureWatch();
    ~EngineFailureWatch();
    EngineFailureWatch(const EngineFailureWatch&) = delete;
    EngineFailureWatch& operator=(const EngineFailureWatch&) = delete;

    // "" while nothing has failed since the watch was opened.
    const std::string& Reason() const { return reason_; }

private:
    friend void NoteEngineFailure(std::string_view reason);
    std::string reason_;
    EngineFailureWatch* outer_;
};

// Called by the session for every statement, transaction command or SQL text
// that fails: every open watch without a reason takes this one.
void NoteEngineFailure(std::string_view reason);

// The message, followed on a second line by the reason of the innermost open
// watch; the message as it is when there is no watch, nothing has failed
// under it, or the message already ends with the reason.
std::string WithEngineReason(std::string_view message);

// Runs one command under a watch; a command that fails has the reason added
// to the message it left.
template <class Command>
bool RunExplained(std::string& message, Command&& command) {
    EngineFailureWatch watch;
    const bool ok = command();
    if (!ok) message = WithEngineReason(message);
    return ok;
}

}  // namespace hvx
