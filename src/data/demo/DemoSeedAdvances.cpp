// Writes the advances of the demo season and their repayments by the seeded
// settlements' advance deductions.
#include <algorithm>
#include <string>

#include "data/demo/DemoSeedWriters.h"
#include "platform/Format.h"
#include "platform/Rounding.h"

namespace hvx::demo {
namespace {

struct AdvanceState {
    const Advance* advance;
    double repaid = 0;
    std::vector<std::pair<const Repayment*, double>> payments = {};
};

bool SameSource(const Advance& a, const Repayment& r) {
    return r.source == a.source && r.sourceRef == a.sourceRef;
}

// Repays the customer's open advances the way a settlement does when it
// works out the payments itself: advances against the settlement's own
// source first, then the others, oldest first within each. Only advances
// already paid out by the settlement date are open to it.
bool Apply(SeedWriter& w, std::vector<AdvanceState>& states, const Repayment& r) {
    std::vector<AdvanceState*> order;
    for (AdvanceState& s : states)
        if (r.customer == s.advance->customer && std::string(s.advance->date) <= r.date)
            order.push_back(&s);
    std::stable_sort(order.begin(), order.end(), [&](const AdvanceState* x, const AdvanceState* y) {
        const bool xs = SameSource(*x->advance, r), ys = SameSource(*y->advance, r);
        if (xs != ys) return xs;
        return std::string(x->advance->date) < y->advance->date;
    });
    double left = HVXRound(r.amount, 2);
    for (AdvanceState* s : order) {
        const double open = HVXRound(s->advance->amount - s->repaid, 2);
        if (left == 0) break;
        if (open <= 0) continue;
        const double paid = std::min(left, open);
        s->repaid = HVXRound(s->repaid + paid, 2);
        s->payments.emplace_back(&r, paid);
        left = HVXRound(left - paid, 2);
    }
    if (left != 0)
        return w.Fail("The demo advance repayment of " + r.customer +
                      " is more than the customer's open advances.");
    return true;
}

}  // namespace

bool WriteAdvances(SeedWriter& w, const SeedLinks& links) {
    std::vector<AdvanceState> states;
    for (const Advance& a : Advances()) states.push_back({&a});
    for (const Repayment& r : links.repayments)
        if (!Apply(w, states, r)) return false;

    for (const AdvanceState& s : states) {
        const Advance& a = *s.advance;
        const Customer* customer = FindCustomer(a.customer);
        if (!customer) return w.Fail(std::string("Unknown demo customer ") + a.customer + ".");
        // An advance's link is its own record number.
        const double recno = w.NextRecno("HVXGR57");
        if (recno < 1) return false;
        const std::string advLink = _HVXsprintf("%.0f", recno);
        const bool paid = HVXRound(s.repaid, 2) == HVXRound(a.amount, 2);
        if (!w.Insert("HVXGR57",
                      {{"CUSTREF", a.customer},
                       {"CUSTNAME", customer->name},
                       {"ADVDATE", a.date},
                       {"SOURCE", a.source},
                       {"SOURCEREF", a.sourceRef},
                       {"SETTLEMENT", ""},
                       {"AMOUNT", Money(a.amount)},
                       {"RAMOUNT", Money(s.repaid)},
                       {"CHECKNUM", a.checkNumber},
                       {"OPENPAID", paid ? "P" : "O"},
                       {"SETTLELINK", ""},
                       {"SETITEM", ""},
                       {"ADVLINK", advLink},
                       {"NUMCHANGE", "0"}},
                      recno))
            return false;
        for (const auto& [r, amount] : s.payments)
            if (!w.Insert("HVXGR57A", {{"ADVLINK", advLink},
                                       {"CHECKNUM", r->checkNumber},
                                       {"AMOUNT", Money(amount)},
                                       {"RDATE", r->date},
                                       {"SOURCELINK", r->setLink},
                                       {"PAIDLINK", r->dlLink},
                                       {"NUMCHANGE", "0"}}))
                return false;
    }
    return true;
}

}  // namespace hvx::demo
