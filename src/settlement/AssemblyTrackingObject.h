#pragma once
// The assemblies behind a settlement's destination records (HVXGR04H).
//
// Each destination record remembers the assemblies its units came from, so
// that an open contract drawn on by later settlements still knows them: a
// settlement drawing on a contract inherits the contract's assemblies.
#include <string>
#include <string_view>
#include <vector>

class HVXConnection;
class HVXSConnection;

namespace hvx {
class Statements;
}

namespace hvx::settlement {

class SettlementDetailList;

class AssemblyTrackingObject {
public:
    const std::vector<std::string>& Assemblies() const { return assemblies_; }

    void Clear() { assemblies_.clear(); }
    // An assembly already listed (exact text) is not listed again.
    void Add(std::string_view assembly);

    // Lists the assemblies behind the lines, in line order: an assembly
    // line's own assembly, a scale ticket's assembly, and every assembly
    // linked to the open contract a line draws on. False on a database
    // error, with its text in message.
    bool Build(const SettlementDetailList& lines, HVXSConnection& connection,
               std::string& message);

    // The settlement's assembly links go, "DELETE FROM HVXGR04H WHERE
    // SETTLINK=...", literal or prepared.
    bool DeleteLinks(HVXSConnection& connection, std::string_view setLink,
                     std::string& message) const;
    bool DeleteLinks(HVXConnection& connection, std::string_view setLink,
                     std::string& message) const;
    // One row an assembly under the destination record flink, literal or
    // prepared; a row that is not written fails.
    bool WriteLinks(HVXSConnection& connection, std::string_view flink, std::string_view setLink,
                    std::string& message) const;
    bool WriteLinks(HVXConnection& connection, std::string_view flink, std::string_view setLink,
                    std::string& message) const;

private:
    bool WriteLinks(Statements& sql, std::string_view flink, std::string_view setLink,
                    bool failBelowOne, std::string& message) const;

    std::vector<std::string> assemblies_;
};

}  // namespace hvx::settlement
