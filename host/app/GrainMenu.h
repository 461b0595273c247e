#pragma once
// The host's Grain menu: one command per entry point of the grain
// settlement module that opens a window.
#include <QWidget>

#include "host/app/ModuleLoader.h"

namespace hvx::host {

enum class GrainCommand {
    SourceSettlement,
    DestSettlement,
    NewSettlement,
    SettlementSearch,
    DirectShipment,
    WarehouseReceipts,
};

struct GrainMenuItem {
    GrainCommand command;
    const char* text;  // the menu text, with its mnemonic
    bool modal;        // runs a modal dialog before (or instead of) a window
};

inline constexpr GrainMenuItem kGrainMenu[] = {
    {GrainCommand::SourceSettlement, "Enter By Settlement &Source", false},
    {GrainCommand::DestSettlement, "Enter By Settlement &Destination", false},
    {GrainCommand::NewSettlement, "&New Settlement...", true},
    {GrainCommand::SettlementSearch, "Settlement S&earch...", true},
    {GrainCommand::DirectShipment, "Direct S&hipment", false},
    {GrainCommand::WarehouseReceipts, "&Collateral Warehouse Receipts", false},
};

// Calls the entry point of the command with the host frame as the parent.
void RunGrainCommand(const ModuleEntryPoints& entry, GrainCommand command, QWidget* frame);

}  // namespace hvx::host
