#include "harvexa-admin/GeneratedSettlements.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "data/demo/DemoSeedData.h"
#include "data/demo/SeedWriter.h"
#include "platform/Rounding.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"

namespace hvx::admin {
namespace {

constexpr std::array<std::string_view, 40> kLastNames{
    "Anderson", "O'Brien",  "Christensen", "Dahl",     "Eriksen",  "Fischer", "Gunderson",
    "Halvorsen", "Iverson", "Jacobsen",    "Kowalski", "Larson",   "Miller",  "Nielsen",
    "Berg",     "Petersen", "Quist",       "Rasmussen", "Schmidt", "Thorson", "Underwood",
    "Vogel",    "Wagner",   "Yoder",       "Zimmerman", "Becker",  "Carlson", "Dvorak",
    "Engstrom", "Foss",     "Grady",       "Hoffmann", "Jensen",   "Klein",   "Lindqvist",
    "Meyer",    "Novak",    "O'Neill",     "Schultz",  "Weber"};
constexpr std::array<std::string_view, 30> kFirstNames{
    "Harold", "Margaret", "Arne",  "Ruth",  "Dale",   "Karen",  "Leon",    "Maria",
    "Gordon", "Ingrid",   "Wayne", "Joyce", "Martin", "Helen",  "Curtis",  "Linda",
    "Vernon", "Donna",    "Roger", "Alice", "Glen",   "Carol",  "Duane",   "Shirley",
    "Lyle",   "Marilyn",  "Floyd", "Janet", "Elmer",  "Bonnie"};
// Every form names the first and the last name, so names never repeat.
constexpr std::array<const char*, 4> kNameForms{"%s %s", "%s %s & Sons", "%s %s Farms",
                                                "%s %s Trust"};
constexpr std::array<std::string_view, 6> kCities{"Prairie City", "Bellport", "Carlow",
                                                  "Ashby",        "Millbrook", "Red Oak"};

// The settlements are dated over these ten years, the oldest first.
constexpr std::chrono::sys_days kFirstDay{std::chrono::year{2016} / 1 / 1};
constexpr long kDaysSpanned = 3653;

std::string IsoDate(std::chrono::sys_days day) {
    const std::chrono::year_month_day ymd{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

std::string Numbered(const char* format, long long number) {
    char text[32];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

std::string RefOf(std::string_view last, long number) {
    std::string ref;
    for (char c : last)
        if (c >= 'A' && c <= 'Z') ref += c;
        else if (c >= 'a' && c <= 'z') ref += static_cast<char>(c - 'a' + 'A');
    ref.resize(std::min<std::size_t>(ref.size(), 6));
    return ref + Numbered("%04lld", number);
}

bool IsSaleCategory(std::string_view category) {
    return category == kPriced || category == kInstallmentSale;
}

// The categories a settlement line may settle into, and those an open
// contract of which may be drawn on as a source.
std::vector<std::string_view> CategoryTexts(bool asSource) {
    std::vector<std::string_view> texts;
    for (const Category& c : Categories())
        if (asSource ? !c.sourceLabel.empty() : c.text != kPriced && c.text != kRedelivered)
            texts.push_back(c.text);
    return texts;
}

}  // namespace

std::vector<GeneratedCustomer> GenerateCustomers(long count) {
    std::vector<GeneratedCustomer> customers;
    customers.reserve(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
        const std::size_t last = static_cast<std::size_t>(i) % kLastNames.size();
        const std::size_t first = static_cast<std::size_t>(i) / kLastNames.size();
        char name[80];
        std::snprintf(name, sizeof name, kNameForms[first / kFirstNames.size() % kNameForms.size()],
                      std::string(kFirstNames[first % kFirstNames.size()]).c_str(),
                      std::string(kLastNames[last]).c_str());
        customers.push_back(
            {RefOf(kLastNames[last], i + 1), name, std::string(kCities[i % kCities.size()])});
    }
    return customers;
}

SettlementGenerator::SettlementGenerator(long lines, long settlements, std::uint32_t seed,
                                         std::vector<GeneratedCustomer> customers, Numbering start)
    : random_(seed), customers_(std::move(customers)), numbers_(start) {
    lineCounts_.assign(static_cast<std::size_t>(settlements), 1);
    for (long extra = settlements; extra < lines; ++extra) ++lineCounts_[Pick(settlements)];
}

// The generator's own numbers, not a distribution's: the rows of a seed stay
// the same whichever standard library built the program.
int SettlementGenerator::Pick(int count) { return static_cast<int>(random_() % count); }

void SettlementGenerator::FillLine(GeneratedLine& line, bool bySource) {
    static const std::vector<std::string_view> openDestinations = CategoryTexts(false);
    static const std::vector<std::string_view> openSources = CategoryTexts(true);
    if (!bySource) {
        // Drawn from an earlier open contract into the settlement's destination.
        line.source = openSources[Pick(static_cast<int>(openSources.size()))];
        line.sourceRef = Numbered("C%07lld", 1 + Pick(static_cast<int>(contracts_ + 1)));
        line.contract.clear();
    } else {
        line.toDpr = Chance(55) ? kPriced
                                : openDestinations[Pick(static_cast<int>(openDestinations.size()))];
        line.contract = line.toDpr == kPriced ? "" : Numbered("C%07lld", ++contracts_);
    }
    line.fromDpr = line.source;
    line.units = demo::Units((50000 + Pick(5950000)) / 1000.0);
    const bool sale = IsSaleCategory(line.toDpr);
    const double price = 3.0 + Pick(110000) / 10000.0;
    line.priceUnit = sale ? demo::Units(price) : "";
    line.totPrice = demo::Money(sale ? HVXRound(std::stod(line.units) * price, 2) : 0.0);
    line.patronage = sale && line.source != kInstallmentSale ? "T" : "F";
    line.status = Chance(25) ? "C" : "O";
    line.dlLink = std::to_string(numbers_.link++);
    line.recno = numbers_.lineRecno++;
}

bool SettlementGenerator::Next(GeneratedSettlement& s) {
    if (made_ >= static_cast<long>(lineCounts_.size())) return false;
    const long count = static_cast<long>(lineCounts_.size());
    const auto day = kFirstDay + std::chrono::days{made_ * kDaysSpanned / count};
    const GeneratedCustomer& customer = customers_[Pick(static_cast<int>(customers_.size()))];
    const bool bySource = Chance(85);

    s.settlement = std::to_string(numbers_.settlement++);
    s.custRef = customer.ref;
    s.custName = customer.name;
    s.settleDate = IsoDate(day);
    s.entryDate = IsoDate(day + std::chrono::days{Pick(3)});
    s.recno = numbers_.link++;
    s.setLink = std::to_string(s.recno);
    s.posted = Chance(15) ? "T" : "F";
    s.reversed = Chance(2) ? "T" : "F";
    s.stype = bySource ? "0" : "1";

    static const std::vector<std::string_view> openSources = CategoryTexts(true);
    GeneratedLine shared;
    shared.commodity = demo::Commodities()[Pick(static_cast<int>(demo::Commodities().size()))].ref;
    shared.location = demo::Locations()[Pick(static_cast<int>(demo::Locations().size()))].ref;
    if (bySource) {
        // One source for every line: a delivery, or an earlier open contract.
        if (Chance(70) || contracts_ == 0) {
            shared.source = Chance(90) ? kAssembly : kScaleTicket;
            shared.sourceRef = Numbered("%06lld", ++assemblies_);
        } else {
            shared.source = openSources[Pick(static_cast<int>(openSources.size()))];
            shared.sourceRef = Numbered("C%07lld", 1 + Pick(static_cast<int>(contracts_)));
        }
    } else {
        shared.toDpr = Chance(80) ? kPriced : kInstallmentSale;
    }

    s.lines.assign(lineCounts_[made_], shared);
    double checkAmount = 0;
    bool check = false;
    for (GeneratedLine& line : s.lines) {
        FillLine(line, bySource);
        if (line.toDpr == kPriced) {
            check = true;
            checkAmount = HVXRound(checkAmount + std::stod(line.totPrice), 2);
        }
    }
    s.checkNum = check ? std::to_string(numbers_.check++) : "";
    s.checkAmt = demo::Money(checkAmount);
    ++made_;
    return true;
}

}  // namespace hvx::admin
