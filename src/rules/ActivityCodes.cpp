#include "rules/ActivityCodes.h"

#include <algorithm>
#include <array>

#include "platform/Format.h"
#include "platform/Text.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"

namespace hvx {
namespace {

// The destination of each column of the classification table.
constexpr std::array<std::string_view, 11> kColumns{
    kPriced,     kPricedLater,  kGrainBank,      kStorageTicket, kCCC,         kInstallmentSale,
    kBasisFixed, kFuturesFixed, kHedgedToArrive, kMinimumPriced, kRedelivered,
};

struct Row {
    std::string_view from;
    std::array<std::string_view, 11> codes;  // by column; empty: no class
};

// One row per place the units come from; a source kind or category without a
// row classifies nothing.
constexpr Row kRows[] = {
    //                     Pr    PL    GB    ST    CCC   IS    BF    FF    HTA   MP    Red
    {kAssembly,         {"06", "01", "02", "80", "80", "05", "15", "17", "43", "16", "99"}},
    {kScaleTicket,      {"06", "01", "02", "80", "80", "05", "15", "17", "43", "16", ""}},
    {kDirectIn,         {"06", "01", "",   "",   "",   "05", "15", "17", "43", "16", ""}},
    {kSetup,            {"",   "01", "02", "80", "80", "05", "15", "17", "43", "16", ""}},
    {kStorageTicket,    {"04", "13", "56", "99", "99", "10", "35", "41", "48", "54", "82"}},
    {kCCC,              {"04", "13", "56", "99", "99", "10", "35", "41", "48", "54", "82"}},
    {kGrainBank,        {"09", "14", "99", "81", "81", "12", "36", "42", "49", "55", "03"}},
    {kPricedLater,      {"08", "99", "",   "",   "",   "11", "31", "37", "44", "50", ""}},
    {kInstallmentSale,  {"07", "",   "",   "",   "",   "25", "",   "",   "",   "",   ""}},
    {kBasisFixed,       {"18", "26", "",   "",   "",   "21", "99", "38", "45", "51", ""}},
    {kFuturesFixed,     {"20", "27", "",   "",   "",   "23", "32", "99", "46", "52", ""}},
    {kHedgedToArrive,   {"30", "28", "",   "",   "",   "24", "33", "39", "99", "53", ""}},
    {kMinimumPriced,    {"19", "29", "",   "",   "",   "22", "34", "40", "47", "99", ""}},
};

struct CodeText {
    const char* code;
    const char* text;
};

// "MP Issued from PL(50)" has no blank before its parenthesis; reports and
// G/L exports match the text as it is.
constexpr CodeText kTexts[] = {
    {"01", "Priced Later Issued (01)"},      {"02", "Grain Bank Issued (02)"},
    {"03", "Grain Bank Redelivered (03)"},   {"04", "Purchase From Storage (04)"},
    {"05", "Installment Purchases (05)"},    {"06", "Cash Purchases (06)"},
    {"07", "Paid Installments (07)"},        {"08", "Paid Priced Later (08)"},
    {"09", "Paid Grain Bank (09)"},          {"10", "IS Purchases from Storage (10)"},
    {"11", "IS Purchases from PL (11)"},     {"12", "IS Purchases from GB (12)"},
    {"13", "PL Issued from Storage (13)"},   {"14", "PL Issued from GB (14)"},
    {"15", "Basis Fixed Issued (15)"},       {"16", "Minimum Priced Issued (16)"},
    {"17", "Futures Fixed Issued (17)"},     {"18", "Basis Fixed Bought (18)"},
    {"19", "Minimum Priced Bought (19)"},    {"20", "Futures Fixed Bought (20)"},
    {"21", "IS Purchase from BF (21)"},      {"22", "IS Purchase from MP (22)"},
    {"23", "IS Purchase from FF (23)"},      {"24", "IS Purchase from HTA (24)"},
    {"25", "Re-Issued IS (25)"},             {"26", "PL Issued from BF (26)"},
    {"27", "PL Issued from FF (27)"},        {"28", "PL Issued from HTA (28)"},
    {"29", "PL Issued from MP (29)"},        {"30", "Hedged-to-Arrive Bought (30)"},
    {"31", "BF Issued from PL (31)"},        {"32", "BF Issued from FF (32)"},
    {"33", "BF Issued from HTA (33)"},       {"34", "BF Issued from MP (34)"},
    {"35", "BF Issued from Storage (35)"},   {"36", "BF Issued from GB (36)"},
    {"37", "FF Issued from PL (37)"},        {"38", "FF Issued from BF (38)"},
    {"39", "FF Issued from HTA (39)"},       {"40", "FF Issued from MP (40)"},
    {"41", "FF Issued from Storage (41)"},   {"42", "FF Issued from GB (42)"},
    {"43", "HTA Issued (43)"},               {"44", "HTA Issued from PL (44)"},
    {"45", "HTA Issued from BF (45)"},       {"46", "HTA Issued from FF (46)"},
    {"47", "HTA Issued from MP (47)"},       {"48", "HTA Issued from Storage (48)"},
    {"49", "HTA Issued from GB (49)"},       {"50", "MP Issued from PL(50)"},
    {"51", "MP Issued from BF (51)"},        {"52", "MP Issued from FF (52)"},
    {"53", "MP Issued from HTA (53)"},       {"54", "MP Issued from Storage (54)"},
    {"55", "MP Issued from GB (55)"},        {"56", "GB Issued from Storage (56)"},
    {"80", "Storage Issued (80)"},           {"81", "Storage Issued from GB (81)"},
    {"82", "Redelivered Storage (82)"},      {"99", "Re-Issued (99)"},
};

}  // namespace

std::string ClassifyActivity(std::string_view from, std::string_view to) {
    const auto column = std::find(kColumns.begin(), kColumns.end(), to);
    if (column == kColumns.end()) return std::string(kUnclassifiedCode);
    for (const Row& row : kRows) {
        if (row.from != from) continue;
        const auto index = static_cast<std::size_t>(column - kColumns.begin());
        const std::string_view code = row.codes[index];
        return std::string(code.empty() ? kUnclassifiedCode : code);
    }
    return std::string(kUnclassifiedCode);
}

void ClassifyActivity(std::string_view from, std::string_view to, char* code) {
    CopyToBuffer(ClassifyActivity(from, to), code, 3);
}

std::string ActivityClassText(std::string_view code) {
    for (const CodeText& entry : kTexts)
        if (code == entry.code) return entry.text;
    return _HVXsprintf("Not Classified (%s)", code);
}

void ActivityClassText(std::string_view code, char* text, std::size_t size) {
    CopyToBuffer(ActivityClassText(code), text, size);
}

}  // namespace hvx
