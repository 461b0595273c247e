#pragma once
// The module's document windows: the class name each frame is registered
// under, its caption and its icon. Both source entry points open the
// single-source settlement window, both destination entry points the
// multiple-source one.

namespace hvx {

enum class DocumentKind { SourceSettlement, DestSettlement, DirectShipment, WarehouseReceipts };

struct DocumentKindInfo {
    DocumentKind kind;
    const char* className;  // the frame's class name
    const char* caption;
    const char* icon;       // a picture of the module
};

const DocumentKindInfo& DocumentInfo(DocumentKind kind);

// True for the two settlement windows, the ones that take a key.
bool IsSettlementWindow(DocumentKind kind);

}  // namespace hvx
