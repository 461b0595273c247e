#include "platform/Session.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/EngineReason.h"
#include "platform/LiteralShape.h"
#include "platform/SqlDialect.h"
#include "platform/StorableText.h"

namespace hvx {
namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

struct State {
    std::unique_ptr<Engine> engine;
    bool inTransaction = false;
    // A statement failed inside the open transaction: it may only be rolled
    // back. PostgreSQL enforces this itself; SQLite would commit the rest.
    bool transactionFailed = false;
    // One entry per open part of the transaction. A part's savepoint is
    // only set when a statement first runs inside it, so a part that runs
    // none costs nothing.
    struct Part {
        bool failedBefore;  // the transaction had failed before the part began
        bool set = false;   // its savepoint is set
    };
    std::vector<Part> parts;
    long statementsRun = 0;
    long failAt = 0;  // statementsRun value at which to fail; 0 = never
    bool shapedLiterals = true;
    std::unordered_set<std::string> shapes;
    // Translations of statement texts, kept for the texts run again.
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> translations;
    // The watch of the test hook, and the text of each statement prepared
    // while it watches (a statement does not keep its own).
    Session::StatementWatch watch;
    std::unordered_map<const Statement*, std::string> watchedTexts;
};

// The translations kept, of the module's prepared texts only (a literal
// statement's text rarely comes again); bounded all the same.
constexpr std::size_t kMaxTranslations = 5000;

State& S() {
    static State state;
    return state;
}

const char* const kClosed = "The database is not open.";

// Every failure below the module passes here on its way to the caller, so
// that a watching command can name the engine's reason.
bool Noted(bool ok, const std::string& error) {
    if (!ok) NoteEngineFailure(error);
    return ok;
}

}  // namespace

bool Session::Open(const std::string& connection, std::string& error, OpenMode mode) {
    Close();
    auto engine = OpenEngine(connection, error, mode);
    if (!engine) return false;
    S().engine = std::move(engine);
    return true;
}

void Session::Close() {
    State& s = S();
    if (s.engine && s.inTransaction) {
        std::string ignored;
        s.engine->ExecScript("ROLLBACK", ignored);
    }
    s.engine.reset();
    s.inTransaction = false;
    s.parts.clear();
    s.statementsRun = 0;
    s.failAt = 0;
    s.shapes.clear();
    s.translations.clear();
}

bool Session::IsOpen() { return S().engine != nullptr; }
Engine* Session::Get() { return S().engine.get(); }
EngineKind Session::Kind() { return S().engine ? S().engine->Kind() : EngineKind::SQLite; }

namespace {
// The statement in the engine's dialect. The module's prepared texts are few
// and run hundreds of times a save: each is checked and translated once.
bool Translated(std::string_view sql, EngineKind kind, bool keep, std::string& out,
                std::string& error) {
    auto& known = S().translations;
    if (auto it = keep ? known.find(sql) : known.end(); it != known.end()) {
        out = it->second;
        return true;
    }
    if (!StorableText(sql, error) || !TranslateSql(sql, kind, out, error)) return false;
    if (keep && known.size() < kMaxTranslations) known.emplace(std::string(sql), out);
    return true;
}

// The statement in the engine's dialect, prepared by prepare(engine, text).
template <class PrepareFn>
std::unique_ptr<Statement> PrepareTranslated(std::string_view sql, bool keep, std::string& error,
                                             PrepareFn prepare) {
    Engine* engine = Session::Get();
    if (!engine) {
        error = kClosed;
        return nullptr;
    }
    std::string translated;
    if (!Noted(Translated(sql, engine->Kind(), keep, translated, error), error)) return nullptr;
    auto statement = prepare(*engine, translated);
    Noted(statement != nullptr, error);
    if (statement && S().watch) S().watchedTexts[statement.get()] = translated;
    return statement;
}

// A literal statement run as its prepared shape with its values bound: to its
// caller it is the literal statement, which has no values of its own.
class BoundLiteral final : public Statement {
public:
    BoundLiteral(std::unique_ptr<Statement> shape, std::vector<Param> values)
        : shape_(std::move(shape)), values_(std::move(values)) {}
    bool Execute(const std::vector<Param>&, std::string& error) override {
        return shape_->ExecuteHeld(values_, error);  // held here as long as the shape
    }
    bool Next() override { return shape_->Next(); }
    int ColumnCount() const override { return shape_->ColumnCount(); }
    bool ColumnView(int index, std::string_view& out) const override {
        return shape_->ColumnView(index, out);
    }
    long long Changes() const override { return shape_->Changes(); }
    int ParamCount() const override { return 0; }

private:
    std::unique_ptr<Statement> shape_;
    std::vector<Param> values_;
};

// The shapes kept prepared, so that statements whose text has no shape in
// common with any other (long IN lists) do not pile up without end.
constexpr std::size_t kMaxShapes = 4000;

// Whether a literal statement without values can be kept prepared as it
// stands: a query or a change of rows, with no placeholder of its own.
bool OwnShape(std::string_view text) {
    if (text.find_first_of("?$") != std::string_view::npos) return false;
    for (std::string_view verb : {"SELECT ", "INSERT ", "UPDATE ", "DELETE "})
        if (text.starts_with(verb)) return true;
    return false;
}

std::unique_ptr<Statement> PrepareShaped(Engine& engine, const std::string& text) {
    State& s = S();
    if (!s.shapedLiterals) return nullptr;
    LiteralShape shape;
    if (!ShapeOf(text, engine.Kind(), shape)) {
        // A statement with no value to take out ("SELECT NEXTDPR FROM
        // HVXGR40") is its own shape and is kept prepared like any other.
        if (!OwnShape(text)) return nullptr;
        shape.text = text;
    }
    if (!s.shapes.contains(shape.text)) {
        if (s.shapes.size() >= kMaxShapes) return nullptr;
        s.shapes.insert(shape.text);
    }
    auto prepared = engine.PrepareShape(shape.text, static_cast<int>(shape.values.size()));
    if (!prepared) return nullptr;
    return std::make_unique<BoundLiteral>(std::move(prepared), std::move(shape.values));
}
}  // namespace

std::unique_ptr<Statement> Session::Prepare(std::string_view sql, bool reusable,
                                            std::string& error) {
    return PrepareTranslated(sql, reusable, error, [&](Engine& engine, const std::string& text) {
        if (!reusable)
            if (auto shaped = PrepareShaped(engine, text)) return shaped;
        return engine.Prepare(text, reusable, error);
    });
}

void Session::ShapeLiterals(bool on) { S().shapedLiterals = on; }

std::unique_ptr<Statement> Session::PrepareLongRead(std::string_view sql, std::string& error) {
    return PrepareTranslated(sql, false, error, [&](Engine& engine, const std::string& text) {
        return engine.PrepareLongRead(text, error);
    });
}

namespace {
std::string PartName(size_t depth) { return "HVX_PART_" + std::to_string(depth); }

// Sets the savepoints of the parts no statement has run in yet, outermost first.
bool SetPendingSavepoints(State& s, std::string& error) {
    for (size_t i = 0; i < s.parts.size(); ++i) {
        if (s.parts[i].set) continue;
        if (!s.engine->ExecScript("SAVEPOINT " + PartName(i), error)) return false;
        s.parts[i].set = true;
    }
    return true;
}
}  // namespace

bool Session::Run(Statement& statement, const std::vector<Param>& params, std::string& error) {
    State& s = S();
    if (!s.parts.empty() && !SetPendingSavepoints(s, error)) {
        s.transactionFailed = true;
        return Noted(false, error);
    }
    if (s.watch)
        if (const auto text = s.watchedTexts.find(&statement); text != s.watchedTexts.end())
            s.watch(text->second, params);
    ++s.statementsRun;
    bool ok = false;
    if (s.failAt != 0 && s.statementsRun == s.failAt)
        error = "Statement failed (test hook).";
    else
        ok = StorableValues(params, error) && statement.Execute(params, error);
    if (!ok && s.inTransaction) s.transactionFailed = true;
    return Noted(ok, error);
}

bool Session::Begin(std::string& error) {
    State& s = S();
    if (!s.engine) {
        error = kClosed;
        return false;
    }
    if (s.inTransaction) {
        error = "A transaction is already open.";
        return false;
    }
    // SQLite takes the write lock at once, so two processes never both read
    // inside a transaction and then deadlock on their first write.
    const char* begin = s.engine->Kind() == EngineKind::SQLite ? "BEGIN IMMEDIATE" : "BEGIN";
    if (!Noted(s.engine->ExecScript(begin, error), error)) return false;
    s.inTransaction = true;
    s.transactionFailed = false;
    s.parts.clear();
    return true;
}

bool Session::Commit(std::string& error) {
    State& s = S();
    if (!s.engine || !s.inTransaction) {
        error = "No transaction is open.";
        return false;
    }
    ++s.statementsRun;
    if (s.failAt != 0 && s.statementsRun == s.failAt) {
        error = "Commit failed (test hook).";
        return Noted(false, error);  // still open: the caller cancels it
    }
    if (s.transactionFailed || s.engine->TransactionFailed()) {
        error = "The transaction cannot be committed: an earlier statement in it failed.";
        return false;
    }
    if (!Noted(s.engine->ExecScript("COMMIT", error), error)) {
        // A refused commit leaves SQLite's transaction open and ends
        // PostgreSQL's; either way the caller's cancel makes it clean.
        return false;
    }
    s.inTransaction = false;
    s.parts.clear();
    return true;
}

bool Session::Rollback(std::string& error) {
    State& s = S();
    if (!s.engine || !s.inTransaction) {
        error = "No transaction is open.";
        return false;
    }
    s.inTransaction = false;
    s.transactionFailed = false;
    s.parts.clear();
    return s.engine->ExecScript("ROLLBACK", error);
}

bool Session::InTransaction() { return S().inTransaction; }

bool Session::BeginPart(std::string& error) {
    State& s = S();
    if (!s.engine || !s.inTransaction) {
        error = "No transaction is open.";
        return false;
    }
    s.parts.push_back({s.transactionFailed});
    return true;
}

bool Session::EndPart(bool keep, std::string& error) {
    State& s = S();
    if (!s.engine || !s.inTransaction || s.parts.empty()) {
        error = "No part of a transaction is open.";
        return false;
    }
    const State::Part part = s.parts.back();
    const std::string name = PartName(s.parts.size() - 1);
    s.parts.pop_back();
    if (!part.set) return true;  // no statement ran in it
    if (keep) {
        // A kept part that failed leaves the transaction failed (PostgreSQL
        // refuses the release itself then).
        if (s.engine->ExecScript("RELEASE SAVEPOINT " + name, error)) return true;
        s.transactionFailed = true;
        return false;
    }
    if (!s.engine->ExecScript("ROLLBACK TO SAVEPOINT " + name, error) ||
        !s.engine->ExecScript("RELEASE SAVEPOINT " + name, error)) {
        s.transactionFailed = true;
        return false;
    }
    s.transactionFailed = part.failedBefore;
    return true;
}

void Session::FailStatementForTesting(long n) {
    State& s = S();
    s.failAt = n > 0 ? s.statementsRun + n : 0;
}

long Session::StatementsRun() { return S().statementsRun; }

void Session::WatchStatementsForTesting(StatementWatch watch) {
    S().watch = std::move(watch);
    S().watchedTexts.clear();
}

}  // namespace hvx
