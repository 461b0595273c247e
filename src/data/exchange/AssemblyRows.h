#pragma once
// Every assembly of imported splits has its row in HVXGR02, with the settled
// flag the module keeps: settled once every split's posted units reach a
// share that is not 0.
#include <string>
#include <vector>

#include "data/exchange/ImportCheck.h"

namespace hvx::exchange {

bool KeepAssemblyRows(const ExchangeKind& kind, const std::vector<ImportRow>& splits,
                      std::string& error);

}  // namespace hvx::exchange
