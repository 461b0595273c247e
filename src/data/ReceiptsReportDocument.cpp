#include "data/ReceiptsReportDocument.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "data/ReferenceLookups.h"
#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/ReportItems.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx::data {
namespace {

// Names are looked up once per reference: a report of many receipts names
// few vendors, commodities and locations.
template <class Lookup>
const std::string& Cached(std::map<std::string, std::string>& known, const std::string& ref,
                          Lookup lookup) {
    auto it = known.find(ref);
    if (it == known.end()) it = known.emplace(ref, lookup(ref)).first;
    return it->second;
}

std::string Joined(const std::string& ref, const std::string& name) {
    return name.empty() ? ref : ref + " " + name;
}

// Units summed as stored (to 4 decimals) and shown as the window shows them.
struct UnitTotals {
    double open = 0, settled = 0;
    void Add(const WarehouseReceipt& r) {
        (r.openClose == "C" ? settled : open) += HVXRound(TextNumber(r.units), 4);
    }
    report::Item Row(const std::string& label, const std::string& format) const {
        return report::TotalItem({label, "", "", "", _HVXsprintf(format.c_str(), HVXRound(open, 4)),
                                  _HVXsprintf(format.c_str(), HVXRound(settled, 4))});
    }
};

}  // namespace

bool LoadWarehouseReceipts(std::vector<WarehouseReceipt>& receipts, std::string& message) {
    receipts.clear();
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements sql(connection);
    std::vector<SqlRow> rows;
    if (!sql.Query({"SELECT CWRREF,VENREF,COMMODITY,LOCATION,ISSUDATE,UNITS,SETTDATE,OPENCLOSE "
                    "FROM HVXGR08"},
                   {}, 8, rows)) {
        message = sql.LastError();
        return false;
    }
    std::map<std::string, std::string> vendors, commodities, locations, formats;
    for (SqlRow& r : rows) {
        for (std::string& text : r) TRIM(text);
        WarehouseReceipt receipt{r[0], r[1], "", r[2], "", r[3], "", r[4], r[5], r[6], r[7], ""};
        receipt.vendorName =
            Cached(vendors, receipt.vendorRef, [](auto& v) { return LookupVendor(v).name; });
        receipt.commodityName =
            Cached(commodities, receipt.commodity, [](auto& c) { return LookupCommodity(c).name; });
        receipt.locationName =
            Cached(locations, receipt.location, [](auto& l) { return LookupLocation(l).name; });
        receipt.unitsFormat = Cached(formats, receipt.commodity, CommodityPriceFormat);
        receipts.push_back(std::move(receipt));
    }
    // Sorted here rather than in the statement, so both engines list the
    // receipts in one order whatever their collation.
    std::stable_sort(receipts.begin(), receipts.end(), [](const auto& a, const auto& b) {
        return std::tie(a.commodity, a.location, a.reference) <
               std::tie(b.commodity, b.location, b.reference);
    });
    return true;
}

report::Document ReceiptsReportDocument(const std::vector<WarehouseReceipt>& receipts) {
    report::Document doc;
    doc.title = "Collateral Warehouse Receipts";
    doc.titleBlock = {"Open and settled receipts by commodity and location"};
    doc.columns = {{"CWR Reference", 80},
                   {"Vendor", 190},
                   {"Issued", 60},
                   {"Settled", 60},
                   {"Open Units", 75, report::Align::Right},
                   {"Settled Units", 75, report::Align::Right}};
    if (receipts.empty()) doc.items.push_back(report::TextItem("No warehouse receipts."));
    UnitTotals location, commodity;
    for (std::size_t i = 0; i < receipts.size(); ++i) {
        const WarehouseReceipt& r = receipts[i];
        if (i == 0 || r.commodity != receipts[i - 1].commodity ||
            r.location != receipts[i - 1].location)
            doc.items.push_back(report::GroupItem(Joined(r.commodity, r.commodityName) + " at " +
                                                  Joined(r.location, r.locationName)));
        const std::string units =
            _HVXsprintf(r.unitsFormat.c_str(), HVXRound(TextNumber(r.units), 4));
        const bool settled = r.openClose == "C";
        doc.items.push_back(
            report::RowItem({r.reference, Joined(r.vendorRef, r.vendorName), r.issued,
                             r.settledDate, settled ? "" : units, settled ? units : ""}));
        location.Add(r);
        commodity.Add(r);
        const bool lastOfCommodity =
            i + 1 == receipts.size() || receipts[i + 1].commodity != r.commodity;
        if (lastOfCommodity || receipts[i + 1].location != r.location) {
            doc.items.push_back(location.Row("Total at " + r.location, r.unitsFormat));
            location = {};
        }
        if (lastOfCommodity) {
            doc.items.push_back(commodity.Row("Total " + r.commodity, r.unitsFormat));
            doc.items.push_back(report::SpaceItem());
            commodity = {};
        }
    }
    return doc;
}

}  // namespace hvx::data
