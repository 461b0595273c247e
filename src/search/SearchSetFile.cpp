#include "search/SearchSetFile.h"

#include <fstream>
#include <vector>

#include "platform/ProfileFile.h"
#include "platform/UiPort.h"

namespace hvx::search {
namespace {

constexpr std::string_view kTypeSection = "Harvexa";
constexpr std::string_view kParameters = "Parameters";
// Values are read into buffers of 100 bytes, terminator included.
constexpr std::size_t kValueChars = 99;

// The criteria in the order the file keeps them; Locations stands for the
// 23 location keys, in the list's order.
enum class Kind { Text, Flag, Type, Locations };
struct Criterion {
    std::string_view key;
    Kind kind;
    std::string SettlementSearchObject::*text = nullptr;
    bool SettlementSearchObject::*flag = nullptr;
};

const std::vector<Criterion>& Criteria() {
    using S = SettlementSearchObject;
    static const std::vector<Criterion> criteria{
        {"SearchString", Kind::Text, &S::SearchString},
        {"CustRef", Kind::Text, &S::CustRef},
        {"CustName", Kind::Text, &S::CustName},
        {"StartDate", Kind::Text, &S::StartDate},
        {"EndDate", Kind::Text, &S::EndDate},
        {"RestrictByCustomer", Kind::Flag, nullptr, &S::RestrictByCustomer},
        {"RestrictByDate", Kind::Flag, nullptr, &S::RestrictByDate},
        {"UseSettlementDate", Kind::Flag, nullptr, &S::UseSettlementDate},
        {"SettlementType", Kind::Type},
        {"MatchAnywhere", Kind::Flag, nullptr, &S::MatchAnywhere},
        {"SearchInReversed", Kind::Flag, nullptr, &S::SearchInReversed},
        {"SearchInPosted", Kind::Flag, nullptr, &S::SearchInPosted},
        {"SearchInClosed", Kind::Flag, nullptr, &S::SearchInClosed},
        {"SearchCaseSensitive", Kind::Flag, nullptr, &S::SearchCaseSensitive},
        {"ExactMatchOnly", Kind::Flag, nullptr, &S::ExactMatchOnly},
        {"", Kind::Locations},
        {"SearchAll", Kind::Flag, nullptr, &S::SearchAll},
    };
    return criteria;
}

void Write(std::string_view key, const std::string& value, const std::string& path) {
    WritePrivateProfileString(kParameters, std::string(key).c_str(), value.c_str(), path);
}

std::string Read(std::string_view key, std::string_view fallback, const std::string& path) {
    std::string value = GetPrivateProfileString(kParameters, key, fallback, path);
    if (value.size() > kValueChars) value.resize(kValueChars);
    return value;
}

// A flag is set only by a value starting with a capital T ("TRUE", "True").
bool FlagOf(const std::string& value) { return !value.empty() && value.front() == 'T'; }

}  // namespace

void WriteSearchSet(UiPort& ui, SettlementSearchObject* criteria, const std::string& path,
                    const std::function<void(SettlementSearchObject&)>& collect) {
    if (std::ifstream(path).good() &&
        ui.MessageBox(kMsgOverwriteSearchSet, "Harvexa", MsgButtons::YesNo, MsgIcon::Question) !=
            MsgAnswer::Yes)
        return;
    if (!criteria) {
        ShowMessage(ui, kMsgNoSearchObject);
        return;
    }
    WritePrivateProfileString(kTypeSection, "Type", std::string(kSearchSetType).c_str(), path);
    if (collect) collect(*criteria);
    const SettlementSearchObject& c = *criteria;
    for (const Criterion& k : Criteria()) {
        switch (k.kind) {
            case Kind::Text: Write(k.key, c.*k.text, path); break;
            case Kind::Flag: Write(k.key, c.*k.flag ? "TRUE" : "FALSE", path); break;
            case Kind::Type:
                // A type outside the three choices is not kept at all.
                if (c.SettlementType >= kAllSettlements && c.SettlementType <= kByDestination)
                    Write(k.key, std::to_string(c.SettlementType), path);
                break;
            case Kind::Locations:
                for (std::size_t i = 0; i < kSearchLocationCount; ++i)
                    Write(SearchLocations()[i].key, c.Locations[i] ? "TRUE" : "FALSE", path);
                break;
        }
    }
}

bool ReadSearchSet(UiPort& ui, SettlementSearchObject* criteria, const std::string& path) {
    if (!criteria) {
        ShowMessage(ui, kMsgNoSearchObject);
        return false;
    }
    std::string type = GetPrivateProfileString(kTypeSection, "Type", "", path);
    if (type.size() > kValueChars) type.resize(kValueChars);
    if (type != kSearchSetType) {
        ShowMessage(ui, kMsgNotASearchSet);
        return false;
    }
    SettlementSearchObject& c = *criteria;
    for (const Criterion& k : Criteria()) {
        switch (k.kind) {
            case Kind::Text: c.*k.text = Read(k.key, "", path); break;
            case Kind::Flag: c.*k.flag = FlagOf(Read(k.key, "", path)); break;
            case Kind::Type: {
                // Any other value leaves the type the dialog had.
                const std::string value = Read(k.key, "0", path);
                if (!value.empty() && value.front() >= '0' && value.front() <= '2')
                    c.SettlementType = value.front() - '0';
                break;
            }
            case Kind::Locations:
                for (std::size_t i = 0; i < kSearchLocationCount; ++i)
                    c.Locations[i] = FlagOf(Read(SearchLocations()[i].key, "", path));
                break;
        }
    }
    return true;
}

}  // namespace hvx::search
