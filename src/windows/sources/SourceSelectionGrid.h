#pragma once
// What the "Select Sources" dialog lists: the customer's unsettled scale
// ticket lines, or the customer's open assembly splits, each row with the
// texts of its grid columns and the values a settlement line is built from.
#include <string>
#include <string_view>
#include <vector>

namespace hvx::settlement {
class SettlementDetailList;
}

namespace hvx {

struct SourceColumn {
    std::string_view title;
    int width = 0;      // in characters
    int maxLength = 0;
    bool detail = false;  // a column kept for reference (the grid's attribute 32)
};

struct SourceRow {
    std::vector<std::string> cells;  // one text per column, after the check box
    std::string reference;           // ticket or assembly number
    std::string assembly;
    std::string link;                // the ticket line's STDLINEID, the split's LINEID
    std::string contract;
    std::string dpr;                 // the category the units are held in
    std::string commodity;
    std::string location;
    double open = 0;                 // units still open, as the "Units" column shows them
    bool checked = false;
    double price = -1;               // with its grade premium or discount; -1 until priced
};

// Which rows a list takes: the customer's, of one assembly (scale tickets
// only) or of one commodity at one location when those are given.
struct SourceFilter {
    std::string custRef;
    std::string assembly;
    std::string commodity;
    std::string location;
};

class SourceSelectionGrid {
public:
    // kind is "Scale Ticket" or "Assembly".
    explicit SourceSelectionGrid(std::string_view kind);

    bool Tickets() const { return tickets_; }
    const std::vector<SourceColumn>& Columns() const;
    // The column whose open units the selected total adds up.
    static constexpr std::size_t kUnitsColumn = 4;

    // The rows of the filter in ticket (or assembly) order, leaving out the
    // sources the settlement already takes. False with the database's message.
    bool Fill(const SourceFilter& filter, const settlement::SettlementDetailList& taken,
              std::string& message);

    std::vector<SourceRow>& Rows() { return rows_; }
    const std::vector<SourceRow>& Rows() const { return rows_; }

private:
    bool FillTickets(const SourceFilter& filter, const settlement::SettlementDetailList& taken,
                     std::string& message);
    bool FillSplits(const SourceFilter& filter, const settlement::SettlementDetailList& taken,
                    std::string& message);

    bool tickets_;
    std::vector<SourceRow> rows_;
};

// Open units of a source: each quantity rounded to 4 decimals before the
// difference, so 100.00005 less 40 leaves 60.0001.
double OpenUnits(std::string_view units, std::string_view settled);

}  // namespace hvx
