// The destination and source menus as one relation, and the activity class of
// every move they offer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/ActivityCodes.h"
#include "rules/Categories.h"
#include "rules/Menus.h"
#include "rules/SourceKinds.h"

namespace {

using Labels = std::vector<std::string>;

Labels LabelsOf(const std::vector<hvx::MenuEntry>& menu) {
    Labels labels;
    for (const hvx::MenuEntry& entry : menu)
        labels.push_back(entry.kind == hvx::MenuEntry::Kind::Separator ? "-"
                                                                       : std::string(entry.label));
    return labels;
}

bool Contains(const std::vector<std::string_view>& list, std::string_view text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

const std::string_view kSources[] = {
    hvx::kAssembly,     hvx::kScaleTicket,     hvx::kDirectIn,   hvx::kSetup,
    hvx::kStorageTicket, hvx::kPricedLater,    hvx::kInstallmentSale, hvx::kGrainBank,
    hvx::kCCC,          hvx::kBasisFixed,      hvx::kFuturesFixed, hvx::kHedgedToArrive,
    hvx::kMinimumPriced};

// "Setup" only feeds single-source settlements and "Scale Ticket" only
// multiple-source ones; every other move is offered from both sides. Every
// move offered has an activity class with a text of its own, and no other
// move is classified.
TEST(Menus, BothMenusOfferTheSameMovesAndEachIsClassified) {
    for (const hvx::Category& destination : hvx::Categories()) {
        const std::string_view to = destination.text;
        for (const std::string_view from : kSources) {
            SCOPED_TRACE(std::string(from) + " -> " + std::string(to));
            const bool bySingle = Contains(hvx::DestinationsFor(from), to);
            const bool byAssembly = Contains(hvx::SourcesFor(to, false), from);
            const bool byTicket = Contains(hvx::SourcesFor(to, true), from);
            if (from == hvx::kSetup) {
                EXPECT_FALSE(byAssembly || byTicket);
            } else if (from == hvx::kScaleTicket) {
                EXPECT_FALSE(bySingle || byAssembly);
            } else if (from == hvx::kAssembly) {
                EXPECT_EQ(bySingle, byAssembly);
                EXPECT_FALSE(byTicket);
            } else {
                EXPECT_EQ(bySingle, byAssembly);
                EXPECT_EQ(bySingle, byTicket);
            }
            const std::string code = hvx::ClassifyActivity(from, to);
            EXPECT_EQ(code != "00", bySingle || byAssembly || byTicket) << code;
            if (code != "00") {
                EXPECT_EQ(hvx::ActivityClassText(code).find("Not Classified"), std::string::npos);
            }
        }
    }
}

TEST(Menus, LabelsValuesAndTheFinishEntry) {
    const Labels finish{"-", "<&Finish Settlement>"};
    EXPECT_EQ(LabelsOf(hvx::DestinationMenu("Installment Sale")),
              (Labels{"&Priced", "&Installment Sale", "-", "<&Finish Settlement>"}));
    EXPECT_EQ(LabelsOf(hvx::DestinationMenu("Scale Ticket")), finish);
    EXPECT_EQ(LabelsOf(hvx::DestinationMenu("assembly")), finish);
    // Scale tickets are never redelivered.
    EXPECT_EQ(LabelsOf(hvx::SourceMenu("Redelivered", true)),
              (Labels{"&Storage Ticket", "&Grain Bank", "&CCC", "-", "<&Finish Settlement>"}));
    EXPECT_EQ(LabelsOf(hvx::SourceMenu("Redelivered", false)).front(), "&Assembly");
    EXPECT_EQ(LabelsOf(hvx::SourceMenu("Setup", false)), finish);
    // "Priced Later" is offered as "&Price Later" but stored with its d.
    const auto menu = hvx::SourceMenu("Priced Later", true);
    EXPECT_EQ(menu[0].label, "Scale &Ticket");
    const hvx::MenuEntry pricedLater{hvx::MenuEntry::Kind::Choice, "&Price Later", "Priced Later"};
    EXPECT_EQ(menu[2], pricedLater);
    EXPECT_EQ(menu.back().kind, hvx::MenuEntry::Kind::Finish);
}

TEST(ActivityCodes, ClassOfAMoveAndItsText) {
    const struct {
        const char *from, *to, *code, *text;
    } cases[] = {
        {"Assembly", "Priced", "06", "Cash Purchases (06)"},
        {"CCC", "Priced", "04", "Purchase From Storage (04)"},
        {"Installment Sale", "Priced", "07", "Paid Installments (07)"},
        // A contract moved to its own kind is re-issued.
        {"Priced Later", "Priced Later", "99", "Re-Issued (99)"},
        {"Installment Sale", "Installment Sale", "25", "Re-Issued IS (25)"},
        // Reports and G/L exports match this text as it is, blank missing.
        {"Priced Later", "Minimum Priced", "50", "MP Issued from PL(50)"},
        {"Assembly", "priced", "00", "Not Classified (00)"},
        {"Priced", "Priced Later", "00", "Not Classified (00)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        EXPECT_EQ(hvx::ClassifyActivity(c.from, c.to), c.code);
        char code[3] = {'x', 'x', 'x'};
        hvx::ClassifyActivity(c.from, c.to, code);
        EXPECT_EQ(std::string(code), c.code);
        EXPECT_EQ(hvx::ActivityClassText(c.code), c.text);
    }
    EXPECT_EQ(hvx::ActivityClassText("O'1"), "Not Classified (O'1)");
    char text[8];
    hvx::ActivityClassText("06", text, sizeof text);
    EXPECT_EQ(std::string(text), "Cash Pu");
}

}  // namespace
