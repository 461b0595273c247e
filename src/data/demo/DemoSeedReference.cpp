// Writes the configuration and reference rows of the demo cooperative.
#include <string>

#include "data/demo/DemoSeedWriters.h"

namespace hvx::demo {

bool WriteConfiguration(SeedWriter& w) {
    const Office& office = DemoOffice();
    // The settlement counter continues after the seeded settlements; the
    // shipment and activity counters start at 1, as nothing of theirs is seeded.
    const std::string nextSettlement = std::to_string(Settlements().size() + MultipleSourceSettlements().size() + 1);
    return w.Insert("HVXGR40", {{"CONFIG8", "1"},
                                {"CONFIG9", "T"},
                                {"CONFIG18", nextSettlement},
                                {"CONFIG19", "F"},
                                {"BCKOFFCE", "F"},
                                {"DSERVICE", office.serviceCode},
                                {"DSTORAGE", office.storageCode},
                                {"DINTEREST", office.interestCode},
                                {"SETTBYTICK", "F"},
                                {"NEXTDPR", "1"}}) &&
           w.Insert("HVXREP4", {{"CHECKNUM", office.nextCheck}});
}

bool WriteReferenceData(SeedWriter& w) {
    for (const Location& l : Locations())
        if (!w.Insert("HVXINV16", {{"LOCREF", l.ref}, {"LOCDESC", l.name}})) return false;

    for (const GradeFactor& g : GradeFactors())
        if (!w.Insert("HVXGR50",
                      {{"GRADFACT", g.code}, {"GRADNAME", g.name}, {"DRYCHARGE", g.dryCharge}}))
            return false;

    for (const Commodity& c : Commodities()) {
        if (!w.Insert("HVXGR51", {{"REFERENCE", c.ref},
                                  {"NAME", c.name},
                                  {"DECIMALS", c.decimals},
                                  {"LBSUNIT", c.lbsPerUnit},
                                  {"UOM", "BU"},
                                  {"TAXCODE", ""},
                                  {"STOREDAY", c.storeDay},
                                  {"SERVEDAY", c.serveDay},
                                  {"STOREDAY2", c.storeDay2},
                                  {"SERVDAY2", c.serveDay2}}))
            return false;
        for (const char* factor : c.gradeFactors)
            if (!w.Insert("HVXGR51B", {{"COMMODITY", c.ref}, {"GRADFACT", factor}})) return false;
    }

    for (const Schedule& s : Schedules()) {
        const std::string tabLink = w.NewLink("HVXGR54", "TABLINK");
        if (tabLink.empty() || !w.Insert("HVXGR54", {{"COMMODITY", s.commodity},
                                                     {"GRADFACT", s.gradeFactor},
                                                     {"SCHEDULE", s.name},
                                                     {"TABLINK", tabLink},
                                                     {"STEPSIZE", s.stepSize},
                                                     {"DOPERCENT", s.percent}}))
            return false;
        for (const ScheduleStep& step : s.steps)
            if (!w.Insert("HVXGR54B", {{"TABLINK", tabLink},
                                       {"TYPE", step.type},
                                       {"VALUE", step.value},
                                       {"DISCOUNT", step.base},
                                       {"ADDITION", step.increment}}))
                return false;
    }

    for (const Deduction& d : Deductions())
        if (!w.Insert("HVXGR52", {{"REFERENCE", d.ref},
                                  {"DESCRIPT", d.description},
                                  {"TYPE", d.type},
                                  {"RATEUNIT", d.rateUnit},
                                  {"GRDOLLAR", d.grDollar},
                                  {"ADVCODE", d.advCode},
                                  {"GRAINTAX", d.grainTax},
                                  {"MAKEENTRY", d.makeEntry},
                                  {"ARACCT1", d.arAccount1},
                                  {"ARACCT2", d.arAccount2},
                                  {"ARACCT3", d.arAccount3}}))
            return false;

    for (const Described& d : ShippingDestinations())
        if (!w.Insert("HVXGR59", {{"REFERENCE", d.ref}, {"DESCRIPT", d.description}})) return false;
    for (const Described& d : ShipmentDeductions())
        if (!w.Insert("HVXGR61", {{"REFERENCE", d.ref}, {"DESCRIPT", d.description}})) return false;
    return true;
}

bool WriteCustomersAndContracts(SeedWriter& w) {
    for (const Customer& c : Customers())
        if (!w.Insert("HVXAR50", {{"REFERENCE", c.ref},
                                  {"NAME", c.name},
                                  {"ADDRESS1", c.address1},
                                  {"ADDRESS2", c.address2},
                                  {"CITY", c.city},
                                  {"STATE", c.state},
                                  {"ZIPCODE", c.zip},
                                  {"COUNTRY", "USA"},
                                  {"SSTAXIDNUM", c.taxId},
                                  {"SALESMAN", c.salesman},
                                  {"TAXEXEMPT", "T"},
                                  {"TAXCODE", ""},
                                  {"REGION", c.region},
                                  {"BILLTOREF", ""}}))
            return false;

    for (const Lien& l : Liens())
        if (!w.Insert("HVXGR56A", {{"CUSTREF", l.customer},
                                   {"LIENHOLD", l.holder},
                                   {"COMMODITY", l.commodity},
                                   {"EXPDATE", l.expires}}))
            return false;

    for (const Vendor& v : Vendors())
        if (!w.Insert("HVXAP50", {{"REFERENCE", v.ref},
                                  {"NAME", v.name},
                                  {"ADDRESS1", v.address1},
                                  {"ADDRESS2", ""},
                                  {"CITY", v.city},
                                  {"STATE", v.state},
                                  {"ZIP", v.zip}}))
            return false;

    for (const PurchaseContract& c : PurchaseContracts()) {
        if (!w.Insert("HVXGR01", {{"CONTRACT", c.contract}})) return false;
        for (const auto& [factor, schedule] : c.schedules)
            if (!w.Insert("HVXGR01G",
                          {{"CONTRACT", c.contract}, {"GRADFACT", factor}, {"SCHEDULE", schedule}}))
                return false;
    }

    for (const SalesContract& c : SalesContracts()) {
        const Customer* buyer = FindCustomer(c.buyer);
        if (!buyer)
            return w.Fail(std::string("Sales contract ") + c.contract + " names no customer.");
        if (!w.Insert("HVXGR05", {{"CONTRACT", c.contract},
                                  {"CUSTREF", c.buyer},
                                  {"CUSTNAME", buyer->name},
                                  {"COMMODITY", c.commodity},
                                  {"BUYREF", c.buyerRef},
                                  {"CTYPE", c.type},
                                  {"DATEEST", c.estimated},
                                  {"CQTY", Units(c.quantity)},
                                  {"QTYRECV", Units(c.received)},
                                  {"OCQTY", Units(0)},
                                  {"DELPRICE", c.price},
                                  {"STATUS", c.status}}))
            return false;
    }
    return true;
}

}  // namespace hvx::demo
