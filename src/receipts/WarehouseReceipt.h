#pragma once
// A collateral warehouse receipt: one HVXGR08 row, every value as the window
// shows it (dates "MM/DD/YYYY", units formatted with the commodity's decimals).
#include <string>
#include <string_view>

namespace hvx::receipts {

inline constexpr std::string_view kReceiptTable = "HVXGR08";
inline constexpr std::string_view kOpen = "O";
inline constexpr std::string_view kClosed = "C";

struct WarehouseReceipt {
    std::string cwrRef;
    std::string issueDate;
    std::string vendor;
    std::string commodity;
    std::string location;
    std::string units;
    std::string settleDate;
    std::string openClose;
    std::string cwrLink;    // comments are kept under it
    std::string numChange;  // the change counter, "0" when created
    double recno = 0;       // 0 until the receipt is stored
    std::string lmodDate;
    std::string lmodTime;
    std::string lmodUser;

    bool Stored() const { return recno != 0; }
    // "C" once a settled date is entered, else "O".
    std::string StatusOfForm() const;
};

// What a save compares the form with: the stored receipt as it was loaded,
// all empty for a new receipt.
struct ReceiptKey {
    std::string cwrRef;
    std::string commodity;
    std::string location;
    std::string units;
    std::string openClose;
};

ReceiptKey KeyOf(const WarehouseReceipt& receipt);

// The stored receipt of that record number; false with a message when there
// is none or the read failed.
bool ReadReceipt(double recno, WarehouseReceipt& receipt, std::string& message);

// The record number of a receipt other than `recno` with that reference, 0
// when there is none.
double OtherReceiptWithReference(std::string_view cwrRef, double recno);

}  // namespace hvx::receipts
