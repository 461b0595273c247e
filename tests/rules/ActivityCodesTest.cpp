// Every (from, to) pair of the classification and every code text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "rules/ActivityCodes.h"

namespace {

const char* const kTo[] = {"Priced",           "Priced Later",  "Grain Bank",
                           "Storage Ticket",   "CCC",           "Installment Sale",
                           "Basis Fixed",      "Futures Fixed", "Hedged-to-Arrive",
                           "Minimum Priced",   "Redelivered"};

// One line per `from`, the codes in the column order above; "--" is no class.
const struct {
    const char* from;
    const char* codes;
} kTable[] = {
    {"Assembly", "06 01 02 80 80 05 15 17 43 16 99"},
    {"Scale Ticket", "06 01 02 80 80 05 15 17 43 16 --"},
    {"Direct In", "06 01 -- -- -- 05 15 17 43 16 --"},
    {"Setup", "-- 01 02 80 80 05 15 17 43 16 --"},
    {"Storage Ticket", "04 13 56 99 99 10 35 41 48 54 82"},
    {"CCC", "04 13 56 99 99 10 35 41 48 54 82"},
    {"Grain Bank", "09 14 99 81 81 12 36 42 49 55 03"},
    {"Priced Later", "08 99 -- -- -- 11 31 37 44 50 --"},
    {"Installment Sale", "07 -- -- -- -- 25 -- -- -- -- --"},
    {"Basis Fixed", "18 26 -- -- -- 21 99 38 45 51 --"},
    {"Futures Fixed", "20 27 -- -- -- 23 32 99 46 52 --"},
    {"Hedged-to-Arrive", "30 28 -- -- -- 24 33 39 99 53 --"},
    {"Minimum Priced", "19 29 -- -- -- 22 34 40 47 99 --"},
};

TEST(ActivityCodes, WholeClassificationTable) {
    int pairs = 0;
    for (const auto& row : kTable) {
        std::istringstream codes(row.codes);
        for (const char* to : kTo) {
            std::string expected;
            codes >> expected;
            if (expected == "--") expected = "00";
            SCOPED_TRACE(std::string(row.from) + " -> " + to);
            EXPECT_EQ(hvx::ClassifyActivity(row.from, to), expected);
            char buffer[3] = {'x', 'x', 'x'};
            hvx::ClassifyActivity(row.from, to, buffer);
            EXPECT_EQ(std::string(buffer), expected);
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 13 * 11);
}

TEST(ActivityCodes, UnknownPairsHaveNoClass) {
    const struct {
        const char* from;
        const char* to;
    } cases[] = {
        {"Priced", "Priced Later"},   {"Redelivered", "Priced"},  {"Assembly", "Setup"},
        {"assembly", "Priced"},       {"Assembly", "priced"},     {"Assembly ", "Priced"},
        {"Assembly", "Priced "},      {"Company Owned", "Priced"}, {"", ""},
        {"Grain Bank", "Company Owned"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        EXPECT_EQ(hvx::ClassifyActivity(c.from, c.to), "00");
    }
}

TEST(ActivityCodes, EveryCodeText) {
    const char* const texts[][2] = {
        {"01", "Priced Later Issued (01)"},    {"02", "Grain Bank Issued (02)"},
        {"03", "Grain Bank Redelivered (03)"}, {"04", "Purchase From Storage (04)"},
        {"05", "Installment Purchases (05)"},  {"06", "Cash Purchases (06)"},
        {"07", "Paid Installments (07)"},      {"08", "Paid Priced Later (08)"},
        {"09", "Paid Grain Bank (09)"},        {"10", "IS Purchases from Storage (10)"},
        {"11", "IS Purchases from PL (11)"},   {"12", "IS Purchases from GB (12)"},
        {"13", "PL Issued from Storage (13)"}, {"14", "PL Issued from GB (14)"},
        {"15", "Basis Fixed Issued (15)"},     {"16", "Minimum Priced Issued (16)"},
        {"17", "Futures Fixed Issued (17)"},   {"18", "Basis Fixed Bought (18)"},
        {"19", "Minimum Priced Bought (19)"},  {"20", "Futures Fixed Bought (20)"},
        {"21", "IS Purchase from BF (21)"},    {"22", "IS Purchase from MP (22)"},
        {"23", "IS Purchase from FF (23)"},    {"24", "IS Purchase from HTA (24)"},
        {"25", "Re-Issued IS (25)"},           {"26", "PL Issued from BF (26)"},
        {"27", "PL Issued from FF (27)"},      {"28", "PL Issued from HTA (28)"},
        {"29", "PL Issued from MP (29)"},      {"30", "Hedged-to-Arrive Bought (30)"},
        {"31", "BF Issued from PL (31)"},      {"32", "BF Issued from FF (32)"},
        {"33", "BF Issued from HTA (33)"},     {"34", "BF Issued from MP (34)"},
        {"35", "BF Issued from Storage (35)"}, {"36", "BF Issued from GB (36)"},
        {"37", "FF Issued from PL (37)"},      {"38", "FF Issued from BF (38)"},
        {"39", "FF Issued from HTA (39)"},     {"40", "FF Issued from MP (40)"},
        {"41", "FF Issued from Storage (41)"}, {"42", "FF Issued from GB (42)"},
        {"43", "HTA Issued (43)"},             {"44", "HTA Issued from PL (44)"},
        {"45", "HTA Issued from BF (45)"},     {"46", "HTA Issued from FF (46)"},
        {"47", "HTA Issued from MP (47)"},     {"48", "HTA Issued from Storage (48)"},
        {"49", "HTA Issued from GB (49)"},     {"50", "MP Issued from PL(50)"},
        {"51", "MP Issued from BF (51)"},      {"52", "MP Issued from FF (52)"},
        {"53", "MP Issued from HTA (53)"},     {"54", "MP Issued from Storage (54)"},
        {"55", "MP Issued from GB (55)"},      {"56", "GB Issued from Storage (56)"},
        {"80", "Storage Issued (80)"},         {"81", "Storage Issued from GB (81)"},
        {"82", "Redelivered Storage (82)"},    {"99", "Re-Issued (99)"},
        // Codes without a text, "00" among them.
        {"00", "Not Classified (00)"},         {"57", "Not Classified (57)"},
        {"79", "Not Classified (79)"},         {"83", "Not Classified (83)"},
        {"98", "Not Classified (98)"},         {"1", "Not Classified (1)"},
        {"06 ", "Not Classified (06 )"},       {"", "Not Classified ()"},
        {"O'1", "Not Classified (O'1)"},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t[0]);
        EXPECT_EQ(hvx::ActivityClassText(t[0]), t[1]);
    }
    // Every code the classification gives has a text of its own.
    for (const auto& row : kTable)
        for (const char* to : kTo) {
            const std::string code = hvx::ClassifyActivity(row.from, to);
            if (code != "00") {
                EXPECT_EQ(hvx::ActivityClassText(code).find("Not Classified"), std::string::npos);
            }
        }
}

TEST(ActivityCodes, TextIntoAShortBufferIsCut) {
    char text[8];
    hvx::ActivityClassText("06", text, sizeof text);
    EXPECT_EQ(std::string(text), "Cash Pu");
    char full[64];
    hvx::ActivityClassText("42", full, sizeof full);
    EXPECT_EQ(std::string(full), "FF Issued from GB (42)");
}

}  // namespace
