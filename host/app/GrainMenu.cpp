#include "host/app/GrainMenu.h"

namespace hvx::host {

void RunGrainCommand(const ModuleEntryPoints& entry, GrainCommand command, QWidget* frame) {
    switch (command) {
        case GrainCommand::SourceSettlement:
            entry.CreateSourceSettlementMENU(frame);
            break;
        case GrainCommand::DestSettlement:
            entry.CreateDestSettlementMENU(frame);
            break;
        case GrainCommand::NewSettlement:
            entry.NewSettlement(frame);
            break;
        case GrainCommand::SettlementSearch:
            entry.CreateSettlementSearch(frame);
            break;
        case GrainCommand::DirectShipment:
            entry.CreateDirShipMENU(frame);
            break;
        case GrainCommand::WarehouseReceipts:
            entry.CreateCWRMENU(frame);
            break;
    }
}

}  // namespace hvx::host
