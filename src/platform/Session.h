#pragma once
// The one physical database session of this process.
//
// Every connection object of the module (simple, prepared, view-library
// handles, lookups and next numbers) is a statement scope over this session,
// so a transaction begun on any of them covers every statement of a save and
// the save sees its own writes. Other processes and workstations have
// sessions of their own, kept apart by the engine.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Engine.h"

namespace hvx {

class Session {
public:
    // Opens the session, closing one already open. False with a message.
    static bool Open(const std::string& connection, std::string& error,
                     OpenMode mode = OpenMode::Existing);
    static void Close();
    static bool IsOpen();
    static Engine* Get();  // null while closed
    static EngineKind Kind();

    // Translates the framework dialect and prepares one statement. Null (with
    // a message) when the session is closed or the SQL is refused.
    static std::unique_ptr<Statement> Prepare(std::string_view sql, bool reusable,
                                              std::string& error);
    // Literal statements run as their prepared shapes with the values bound
    // (LiteralShape.h); on by default. Off, each is prepared as it stands:
    // the benchmarks measure both ways.
    static void ShapeLiterals(bool on);
    // A query stepped through while other statements run (Engine::PrepareLongRead).
    static std::unique_ptr<Statement> PrepareLongRead(std::string_view sql, std::string& error);
    // Runs a prepared statement, counting it for the failure hook below.
    static bool Run(Statement& statement, const std::vector<Param>& params, std::string& error);

    // The session's transaction. False with a message on failure; Begin fails
    // when a transaction is already open.
    static bool Begin(std::string& error);
    static bool Commit(std::string& error);
    static bool Rollback(std::string& error);
    static bool InTransaction();

    // A part of the open transaction (a savepoint). Ended kept, its
    // statements stay in the transaction (and a failure among them still
    // fails the transaction); ended undone, they are rolled back and the
    // transaction goes on as if they had never run. Parts nest. BeginPart
    // fails outside a transaction.
    static bool BeginPart(std::string& error);
    static bool EndPart(bool keep, std::string& error);

    // Test hook: the n-th statement run from now fails as if the engine had
    // refused it (n = 1 is the next one); 0 turns the hook off.
    static void FailStatementForTesting(long n);
    static long StatementsRun();  // statements run since the session opened

    // Test hook: every statement run from now on is first handed to `watch`,
    // in the engine's dialect and with its values; an empty function stops it.
    using StatementWatch =
        std::function<void(const std::string& sql, const std::vector<Param>& values)>;
    static void WatchStatementsForTesting(StatementWatch watch);
};

}  // namespace hvx
