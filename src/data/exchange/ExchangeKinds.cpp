#include "data/exchange/ExchangeKind.h"

namespace hvx::exchange {

const ExchangeColumn* ExchangeKind::Find(std::string_view column) const {
    for (const ExchangeColumn& c : columns)
        if (column == c.name) return &c;
    return nullptr;
}

const std::string& RowValues::operator[](std::string_view column) const {
    return values_[kind_.Place(column)];
}

const std::vector<ExchangeKind>& ExchangeKinds() {
    static const std::vector<ExchangeKind> kinds = [] {
        std::vector<ExchangeKind> all;
        AddReferenceKinds(all);
        AddSeasonKinds(all);
        return all;
    }();
    return kinds;
}

const ExchangeKind* FindExchangeKind(std::string_view name) {
    for (const ExchangeKind& kind : ExchangeKinds())
        if (name == kind.name) return &kind;
    return nullptr;
}

std::string ExchangeKindNames() {
    std::string names;
    for (const ExchangeKind& kind : ExchangeKinds())
        names += (names.empty() ? "" : ", ") + std::string(kind.name);
    return names;
}

}  // namespace hvx::exchange
