#pragma once
// Plausible settlements in bulk, for measuring the search and the lists on a
// cooperative's years of business: customers, settlement headers and their
// lines, as the settlement save stores them. The same seed gives the same
// rows; no database is read here, the caller hands in where numbering starts.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace hvx::admin {

struct GeneratedCustomer {
    std::string ref, name, city;
};

// The customers settlements are made for: `count` of them, every reference
// and name distinct (some names carry an apostrophe).
std::vector<GeneratedCustomer> GenerateCustomers(long count);

// Where the generated numbers start; each is advanced as it is used.
struct Numbering {
    long settlement = 1;    // the settlement number
    long long link = 1;     // header RECNO (= SETLINK) and line DLLINK share it
    long long lineRecno = 1;
    long long check = 100001;
};

struct GeneratedLine {
    std::string source, sourceRef, commodity, location, units, fromDpr, toDpr, contract;
    std::string patronage, status, dlLink, priceUnit, totPrice;
    long long recno = 0;
};

struct GeneratedSettlement {
    std::string settlement, custRef, custName, entryDate, settleDate, setLink;
    std::string posted, reversed, checkNum, checkAmt, stype;
    long long recno = 0;
    std::vector<GeneratedLine> lines;
};

// Deals out `lines` lines over `settlements` settlements (each at least one)
// dated over ten years, oldest first.
class SettlementGenerator {
public:
    SettlementGenerator(long lines, long settlements, std::uint32_t seed,
                        std::vector<GeneratedCustomer> customers, Numbering start);

    // The next settlement; false after the last.
    bool Next(GeneratedSettlement& out);

    const Numbering& Numbers() const { return numbers_; }

private:
    int Pick(int count);
    bool Chance(int percent) { return Pick(100) < percent; }
    void FillLine(GeneratedLine& line, bool bySource);

    std::mt19937 random_;
    std::vector<GeneratedCustomer> customers_;
    std::vector<std::uint32_t> lineCounts_;
    Numbering numbers_;
    long made_ = 0;
    long long contracts_ = 0;
    long long assemblies_ = 0;
};

}  // namespace hvx::admin
