#include "windows/posted/PostedChange.h"

#include <iterator>
#include <string>
#include <vector>

#include "platform/Dates.h"
#include "platform/EngineReason.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "platform/UiPort.h"
#include "rules/StoredText.h"
#include "settlement/SettlementRecordSet.h"

namespace hvx::posted {
namespace {

using settlement::DestinationTerms;
using settlement::SettlementDetailItem;
using settlement::SettlementRecordSet;
using Texts = std::vector<std::string>;

// A held date as the dialogs show it; a text that is no date is shown as it is.
std::string Shown(const std::string& held) {
    const std::string date = MakeDate(held);
    return date.empty() ? held : date;
}

// A date as its holder keeps it: a line as the table returns it, the
// destination terms of a multiple-source settlement in the window's eight
// digits, as the load puts them there.
std::string Held(const SettlementDetailItem&, const std::string& date) { return date; }
std::string Held(const DestinationTerms&, const std::string& date) {
    CivilDate day;
    return ReadDate(date, day) ? WindowDate(day) : date;
}

// The text between the braces of a statement; an empty one writes no date.
std::string SqlDate(std::string date) {
    SQLFmtDate(date);
    return date;
}

// Each kind of terms: its dialog, its two statements (by the line's DLLINK,
// by the settlement's SETLINK), its values in statement order, and its
// fields of a line or of the destination terms, which share their names.
struct StorageTerms {
    using Change = StorageChange;
    static constexpr std::string_view kByLine =
        "UPDATE HVXGR04F SET PPAIDDATE={%s},AMTPREPAID='%s',STORECOL='%s',SRATEDATE='%s' "
        "WHERE DLLINK='%s'";
    static constexpr std::string_view kBySettlement =
        "UPDATE HVXGR04F SET PPAIDDATE={%s},AMTPREPAID='%s',STORECOL='%s',SRATEDATE='%s' "
        "WHERE SETLINK='%s'";
    static bool Edit(PostedChangeDialogs& dialogs, Change& c) { return dialogs.EditStorage(c); }
    static Texts Values(const Change& c) {
        return {SqlDate(c.paidThrough), c.prepaid, c.storageField, c.ratePerDay};
    }
    template <class Holder>
    static Change Of(const Holder& h) {
        return {Shown(h.pPaidDate), h.amtPrepaid, h.storeCol, h.sRateDate};
    }
    template <class Holder>
    static void Put(const Change& c, Holder& h) {
        h.pPaidDate = Held(h, c.paidThrough);
        h.amtPrepaid = c.prepaid;
        h.storeCol = c.storageField;
        h.sRateDate = c.ratePerDay;
    }
};

struct InstallmentTerms {
    using Change = InstallmentChange;
    static constexpr std::string_view kByLine =
        "UPDATE HVXGR04F SET ISDATE={%s},ISRATE='%s',ISDUE={%s} WHERE DLLINK='%s'";
    static constexpr std::string_view kBySettlement =
        "UPDATE HVXGR04F SET ISDATE={%s},ISRATE='%s',ISDUE={%s} WHERE SETLINK='%s'";
    static bool Edit(PostedChangeDialogs& dialogs, Change& c) {
        return dialogs.EditInstallment(c);
    }
    static Texts Values(const Change& c) {
        return {SqlDate(c.interestDate), c.rate, SqlDate(c.dueDate)};
    }
    template <class Holder>
    static Change Of(const Holder& h) {
        return {Shown(h.isDate), h.isRate, Shown(h.isDue)};
    }
    template <class Holder>
    static void Put(const Change& c, Holder& h) {
        h.isDate = Held(h, c.interestDate);
        h.isRate = c.rate;
        h.isDue = Held(h, c.dueDate);
    }
};

struct ServiceTerms {
    using Change = ServiceChange;
    static constexpr std::string_view kByLine =
        "UPDATE HVXGR04F SET SSDATE={%s},SCRATE='%s' WHERE DLLINK='%s'";
    static constexpr std::string_view kBySettlement =
        "UPDATE HVXGR04F SET SSDATE={%s},SCRATE='%s' WHERE SETLINK='%s'";
    static bool Edit(PostedChangeDialogs& dialogs, Change& c) { return dialogs.EditService(c); }
    static Texts Values(const Change& c) { return {SqlDate(c.startDate), c.rate}; }
    template <class Holder>
    static Change Of(const Holder& h) {
        return {Shown(h.ssDate), h.scRate};
    }
    template <class Holder>
    static void Put(const Change& c, Holder& h) {
        h.ssDate = Held(h, c.startDate);
        h.scRate = c.rate;
    }
};

// The check number belongs to the header in both windows.
struct CheckNumberTerms {
    using Change = CheckNumberChange;
    static constexpr std::string_view kBySettlement =
        "UPDATE HVXGR04 SET CHECKNUM = '%s' WHERE SETLINK='%s'";
    static bool Edit(PostedChangeDialogs& dialogs, Change& c) {
        return dialogs.EditCheckNumber(c);
    }
    static Texts Values(const Change& c) { return {c.checkNumber}; }
    static Change Of(const settlement::SettlementHeader& h) { return {h.checkNum}; }
    static void Put(const Change& c, settlement::SettlementHeader& h) {
        h.checkNum = c.checkNumber;
    }
};

// One statement on a new simple connection, outside any transaction. Fewer
// than one row changed is a failure; the message then carries the engine's
// reason when the engine refused the statement.
bool Update(std::string_view sql, Texts values, const std::string& key, std::string_view failure,
            UiPort& ui) {
    values.push_back(key);
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements statements(connection);
    EngineFailureWatch watch;
    if (statements.Change({sql}, ValuesOf(values)) >= 1) return true;
    ShowMessage(ui, failure);
    return false;
}

// One change: the dialog filled from the shown terms, what was typed
// checked, the holder found again (null: it has said why), the update, and
// the new values into the holder. The shown terms are copied before the
// dialog opens, so nothing here holds on to the record set across it.
template <class Terms, class Holder, class FindAgain>
bool Change(const Holder& shown, FindAgain findAgain, std::string_view sql, const std::string& key,
            std::string_view failure, PostedChangeDialogs& dialogs, UiPort& ui) {
    typename Terms::Change change = Terms::Of(shown);
    if (!Terms::Edit(dialogs, change) || !CheckTyped(change, ui)) return false;
    Holder* held = findAgain();
    if (!held || !Update(sql, Terms::Values(change), key, failure, ui)) return false;
    Terms::Put(change, *held);
    return true;
}

bool ChangeCheckNumber(SettlementRecordSet& set, PostedChangeDialogs& dialogs, UiPort& ui) {
    const std::string setLink = set.header.setLink;
    return Change<CheckNumberTerms>(
        set.header, [&] { return &set.header; }, CheckNumberTerms::kBySettlement, setLink,
        kMsgCheckNumberNotWritten, dialogs, ui);
}

// Calls change with the terms of a destination record's kind; false for a
// kind without such terms.
template <class ChangeTerms>
bool WithDestinationTerms(PostedChangeKind kind, ChangeTerms&& change) {
    switch (kind) {
    case PostedChangeKind::Storage:
        return change(StorageTerms{});
    case PostedChangeKind::Installment:
        return change(InstallmentTerms{});
    case PostedChangeKind::Service:
        return change(ServiceTerms{});
    case PostedChangeKind::CheckNumber:
    case PostedChangeKind::None:
        break;
    }
    return false;
}

}  // namespace

bool ChangePostedLine(SettlementRecordSet& set, std::optional<std::size_t> selectedLine,
                      PostedChangeDialogs& dialogs, UiPort& ui) {
    if (!selectedLine) {
        ShowMessage(ui, kMsgNoItemSelected);
        return false;
    }
    const settlement::SettlementDetailList::Lines& lines = set.details.Items();
    if (*selectedLine >= lines.size()) {
        ShowMessage(ui, kMsgLineNotInList);
        return false;
    }
    const SettlementDetailItem line = *std::next(lines.begin(), *selectedLine);
    const PostedChangeKind kind = ChangeKindOf(line.toDpr);
    if (kind == PostedChangeKind::CheckNumber) return ChangeCheckNumber(set, dialogs, ui);
    const auto findLine = [&]() -> SettlementDetailItem* {
        SettlementDetailItem* found = set.details.FindLine(line.dlLink);
        if (!found) ShowMessage(ui, kMsgLineNotInList);
        return found;
    };
    return WithDestinationTerms(kind, [&](auto terms) {
        using Terms = decltype(terms);
        return Change<Terms>(line, findLine, Terms::kByLine, line.dlLink, kMsgLineNotUpdated,
                             dialogs, ui);
    });
}

bool ChangePostedDestination(SettlementRecordSet& set, std::string_view destination,
                             PostedChangeDialogs& dialogs, UiPort& ui) {
    const PostedChangeKind kind = ChangeKindOf(destination);
    if (kind == PostedChangeKind::CheckNumber) return ChangeCheckNumber(set, dialogs, ui);
    const std::string setLink = set.header.setLink;
    return WithDestinationTerms(kind, [&](auto terms) {
        using Terms = decltype(terms);
        return Change<Terms>(
            set.terms, [&] { return &set.terms; }, Terms::kBySettlement, setLink,
            kMsgDestinationNotWritten, dialogs, ui);
    });
}

}  // namespace hvx::posted
