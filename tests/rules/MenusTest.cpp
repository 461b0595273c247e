// The destination and source menus, label by label in menu order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/Categories.h"
#include "rules/Menus.h"
#include "rules/SourceKinds.h"

namespace {

// A menu as its labels, "-" standing for the separator.
std::vector<std::string> Labels(const std::vector<hvx::MenuEntry>& menu) {
    std::vector<std::string> labels;
    for (const hvx::MenuEntry& entry : menu)
        labels.push_back(entry.kind == hvx::MenuEntry::Kind::Separator ? "-"
                                                                       : std::string(entry.label));
    return labels;
}

using Menu = std::vector<std::string>;

const Menu kAllDestinations{"&Priced",        "P&riced Later",   "&Storage Ticket",
                            "&Installment Sale", "&Basis Fixed", "F&utures Fixed",
                            "&Hedged-to-Arrive", "&Minimum Priced", "&Grain Bank",
                            "&CCC",           "R&edelivered",    "-",
                            "<&Finish Settlement>"};
const Menu kContractDestinations{"&Priced",          "P&riced Later",   "&Installment Sale",
                                 "&Basis Fixed",     "F&utures Fixed",  "&Hedged-to-Arrive",
                                 "&Minimum Priced",  "-",               "<&Finish Settlement>"};

TEST(Menus, DestinationMenuOfEachSourceKind) {
    const struct {
        const char* source;
        Menu labels;
    } cases[] = {
        {"Assembly", kAllDestinations},
        {"Storage Ticket", kAllDestinations},
        {"Grain Bank", kAllDestinations},
        {"CCC", kAllDestinations},
        {"Priced Later", kContractDestinations},
        {"Futures Fixed", kContractDestinations},
        {"Minimum Priced", kContractDestinations},
        {"Basis Fixed", kContractDestinations},
        {"Hedged-to-Arrive", kContractDestinations},
        {"Direct In", kContractDestinations},
        {"Installment Sale", {"&Priced", "&Installment Sale", "-", "<&Finish Settlement>"}},
        {"Setup",
         {"P&riced Later", "&Storage Ticket", "&Installment Sale", "&Basis Fixed",
          "F&utures Fixed", "&Hedged-to-Arrive", "&Minimum Priced", "&Grain Bank", "&CCC", "-",
          "<&Finish Settlement>"}},
        // Scale tickets are settled only by destination; unknown texts offer nothing.
        {"Scale Ticket", {"-", "<&Finish Settlement>"}},
        {"Priced", {"-", "<&Finish Settlement>"}},
        {"assembly", {"-", "<&Finish Settlement>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(Labels(hvx::DestinationMenu(c.source)), c.labels);
    }
    // A choice carries the stored text, the last entry finishes the settlement.
    const auto menu = hvx::DestinationMenu("Assembly");
    const hvx::MenuEntry pricedLater{hvx::MenuEntry::Kind::Choice, "P&riced Later", "Priced Later"};
    EXPECT_EQ(menu[1], pricedLater);
    EXPECT_EQ(menu.back().kind, hvx::MenuEntry::Kind::Finish);
}

TEST(Menus, SourceMenuOfEachDestinationWithAndWithoutScaleTickets) {
    const Menu sale{"&Storage Ticket",   "&Price Later",    "&Installment Sale",
                    "&Basis Fixed",      "F&utures Fixed",  "&Hedged-to-Arrive",
                    "&Minimum Priced",   "&Grain Bank",     "&CCC",
                    "&Direct In",        "-",               "<&Finish Settlement>"};
    const Menu contract{"&Storage Ticket",   "&Price Later",    "&Basis Fixed", "F&utures Fixed",
                        "&Hedged-to-Arrive", "&Minimum Priced", "&Grain Bank",  "&CCC",
                        "&Direct In",        "-",               "<&Finish Settlement>"};
    const Menu storage{"&Storage Ticket", "&Grain Bank", "&CCC", "-", "<&Finish Settlement>"};
    const auto with = [](const char* first, Menu rest) {
        rest.insert(rest.begin(), first);
        return rest;
    };
    const struct {
        const char* destination;
        Menu byAssembly;
        Menu byTicket;
    } cases[] = {
        {"Priced", with("&Assembly", sale), with("Scale &Ticket", sale)},
        {"Installment Sale", with("&Assembly", sale), with("Scale &Ticket", sale)},
        {"Priced Later", with("&Assembly", contract), with("Scale &Ticket", contract)},
        {"Basis Fixed", with("&Assembly", contract), with("Scale &Ticket", contract)},
        {"Futures Fixed", with("&Assembly", contract), with("Scale &Ticket", contract)},
        {"Hedged-to-Arrive", with("&Assembly", contract), with("Scale &Ticket", contract)},
        {"Minimum Priced", with("&Assembly", contract), with("Scale &Ticket", contract)},
        {"Storage Ticket", with("&Assembly", storage), with("Scale &Ticket", storage)},
        {"CCC", with("&Assembly", storage), with("Scale &Ticket", storage)},
        {"Grain Bank", with("&Assembly", storage), with("Scale &Ticket", storage)},
        // Scale tickets are never redelivered.
        {"Redelivered", with("&Assembly", storage), storage},
        {"Setup", {"-", "<&Finish Settlement>"}, {"-", "<&Finish Settlement>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destination);
        EXPECT_EQ(Labels(hvx::SourceMenu(c.destination, false)), c.byAssembly);
        EXPECT_EQ(Labels(hvx::SourceMenu(c.destination, true)), c.byTicket);
    }
    const auto menu = hvx::SourceMenu("Priced Later", false);
    EXPECT_EQ(menu[2].label, "&Price Later");
    EXPECT_EQ(menu[2].value, "Priced Later");
}

// The two menus are one relation, except that "Setup" only feeds single-source
// settlements and "Scale Ticket" only multiple-source ones.
TEST(Menus, BothMenusOfferTheSameRelation) {
    const auto contains = [](const std::vector<std::string_view>& list, std::string_view text) {
        return std::find(list.begin(), list.end(), text) != list.end();
    };
    for (const hvx::Category& destination : hvx::Categories()) {
        for (const bool byTicket : {false, true}) {
            for (std::string_view source : hvx::SourcesFor(destination.text, byTicket)) {
                SCOPED_TRACE(std::string(source) + " -> " + std::string(destination.text));
                EXPECT_NE(source, hvx::kSetup);
                if (source != hvx::kScaleTicket) {
                    EXPECT_TRUE(contains(hvx::DestinationsFor(source), destination.text));
                }
            }
        }
        for (std::string_view source : {hvx::kAssembly, hvx::kDirectIn, hvx::kStorageTicket,
                                        hvx::kPricedLater, hvx::kInstallmentSale, hvx::kGrainBank,
                                        hvx::kCCC, hvx::kBasisFixed, hvx::kFuturesFixed,
                                        hvx::kHedgedToArrive, hvx::kMinimumPriced}) {
            SCOPED_TRACE(std::string(source) + " -> " + std::string(destination.text));
            if (contains(hvx::DestinationsFor(source), destination.text)) {
                EXPECT_TRUE(contains(hvx::SourcesFor(destination.text, false), source));
            }
        }
    }
}

}  // namespace
