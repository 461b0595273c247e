#pragma once
// The C signatures of the sibling modules' exported functions that the module
// calls. Siblings are separate shared libraries found by file name through the
// host and by function name in the library, so these types are the only
// contract between the module and whatever takes a sibling's place: a sibling
// exports each function with C linkage and exactly this signature.
//
// Every function takes the handle of the calling window first (the sibling
// parents its dialogs and windows on it). Texts are zero-terminated UTF-8.
// Where the module hands over a buffer for a text answer, the size of the
// buffer (terminator included) follows it, and the sibling never writes more.
// Truth values are ints: non-zero is true.

extern "C" {

// H32BKOF.DLL: bSearchCustName, bSearchCustRef, bVerifyCustomer,
// bSearchGLAccount and bVerifyGLAccount. The text is what the user typed (a
// name, a customer reference or an account). Non-zero when a record was chosen
// or exists; the result buffer then holds it as tab-delimited fields "01=…",
// "02=…" and so on.
typedef int (*HVXBackOfficeLookupFn)(void* window, const char* text, char* result,
                                     int resultSize);

// H32GL.DLL: SendDLLMessage. The command ("SEARCHACCOUNT", "VERIFYACCOUNT")
// with its comma-joined argument; 0 with an answer in the return buffer, -1
// when the return buffer was too small.
typedef int (*HVXSendDLLMessageFn)(void* window, const char* command, const char* argument,
                                   char* returnBuffer, int returnSize);

// H32FUEL.DLL: GetCustomerBalanceDue. Writes the customer's balance due as the
// text of a number ("1234.56") into the buffer.
typedef void (*HVXBalanceDueFn)(void* window, const char* customerReference, char* balance,
                                int balanceSize);

// H32GRP.DLL (CreateCommodityWithLoad, CreateAssemblySheetsWithLoad,
// SettlementDeductionWindow, ShippingDestinationWindow,
// CreateSalesContractsWithLoad) and H32AR.DLL (CreateCustomersInfoFuel): open
// the sibling's maintenance window on the record with this key.
typedef void (*HVXOpenWindowFn)(void* window, const char* key);

// H32GRR.DLL: DoPrintSettlementEx, DoPrintSettlementContractEx and
// DoPrintInstallmentSaleContract. The key is the settlement window's
// settlement key text.
typedef void (*HVXPrintSettlementFn)(void* window, const char* settlementKey);

// H32GRR: DoCWRReport (called with "", "", "", 0) and H32GRR.DLL:
// DoOneAssemblySheetEx (called with the assembly number, "", "", 0) and
// DoShipmentReport (called with the shipment links (HVXGR07.SHIPLINK) of a
// direct shipment batch's loads joined by ",", "", "", 0: it prints those
// loads in that order). Three texts that narrow the report and an option word.
typedef void (*HVXReportFn)(void* window, const char* first, const char* second,
                            const char* third, int options);

// H32GRR.DLL: CheckPrinterSelect and DoPrintSettlementCheck.
//
// The check printer selection fills these options; the module hands them on
// unchanged to DoPrintSettlementCheck. toFile non-zero prints to the PDF file
// named by fileName, otherwise to the printer named by printer (empty: the
// system's default printer). extraOption is the state of the one extra check
// box the selection was asked to show ("Print Source Detail").
struct HVXCheckPrintOptions {
    int toFile;
    char printer[256];
    char fileName[1024];
    int extraOption;
};

// CheckPrinterSelect: shows the printer selection for checks with an extra
// check box captioned extraOptionCaption, set at first when extraOptionOn is
// non-zero. Returns 1 when the user pressed OK (options are then filled), any
// other value when the selection was cancelled.
typedef int (*HVXCheckPrinterSelectFn)(void* window, const char* extraOptionCaption,
                                       int extraOptionOn, struct HVXCheckPrintOptions* options);

// DoPrintSettlementCheck: prints one settlement check. application is the
// host application's handle (its main window), setLink the settlement's link
// (HVXGR04.SETLINK), checkNumber the number to print on the check (not yet
// stored with the settlement on a first print), printSourceDetail "T" to list
// each line's source on the stub or "F", options as CheckPrinterSelect filled
// them. Returns nothing: whether the check came out right is the user's
// answer to the module's question after the call.
typedef void (*HVXPrintSettlementCheckFn)(void* application, const char* setLink,
                                          const char* checkNumber, const char* printSourceDetail,
                                          const struct HVXCheckPrintOptions* options);

// HVXCMP32.DLL: ReturnCurrentUserName. Writes the signed-on user's name into
// the buffer; the module passes kUserNameSize bytes.
typedef void (*HVXReturnCurrentUserNameFn)(void* window, char* name, int nameSize);

// Exported by a module that receives the events of an interface object (the
// consolidation module H32CNSD.DLL receives "Grain Settlements"). owner is the
// window that owns the object, className the object's class name, eventName
// the event ("HVXInitializeEvent", "HVXDestroyEvent", …). Returns 0 when the
// event was handled; otherwise writes why into errorText (at most errorSize
// bytes, terminator included) and returns non-zero.
typedef int (*HVXInterfaceHandleEventFn)(void* owner, const char* className,
                                         const char* eventName, char* errorText,
                                         int errorSize);

// Exported, in addition to or instead of HVXInterface_HandleEvent, by a
// receiver that takes an event's text and answers with a text of its own
// (added later; receivers that export only HVXInterface_HandleEvent keep
// working and get every event through it, without text and without answer).
// When a receiver exports this function, every event goes to it and not to
// HVXInterface_HandleEvent. text is the event's text ("" for an event without
// one, such as "HVXInitializeEvent"). The receiver writes its answer into
// answer (at most answerSize bytes, terminator included; "" for none) and,
// like HVXInterface_HandleEvent, returns 0 when the event was handled or
// non-zero with why in errorText.
//
// "GetSecuredParties": text is the customer's tax identification number; the
// answer lists the customer's secured parties as tab-delimited fields, each
// "01=" followed by one party's name (fields with other prefixes may follow
// and are ignored).
typedef int (*HVXInterfaceHandleEventTextFn)(void* owner, const char* className,
                                             const char* eventName, const char* text, char* answer,
                                             int answerSize, char* errorText, int errorSize);

}  // extern "C"

namespace hvx {

// The size of the user-name buffer passed to ReturnCurrentUserName: a login
// name is at most 32 bytes, but a suite may answer with a full display name.
inline constexpr int kUserNameSize = 256;

// The size of the balance buffer passed to GetCustomerBalanceDue: room for
// any money amount written as text.
inline constexpr int kBalanceDueSize = 64;

// The size of the result buffer of the H32BKOF.DLL lookups.
inline constexpr int kBackOfficeResultSize = 4096;

// The size of the return buffer of SendDLLMessage.
inline constexpr int kGeneralLedgerReturnSize = 400;

// The size of the error text buffer passed to HVXInterface_HandleEvent and
// HVXInterface_HandleEventText.
inline constexpr int kInterfaceErrorSize = 1024;

// The size of the answer buffer passed to HVXInterface_HandleEventText: room
// for many secured parties of up to 49 characters each.
inline constexpr int kInterfaceAnswerSize = 4096;

// The receivers' functions, looked up by name.
inline constexpr const char* kHandleEventFunction = "HVXInterface_HandleEvent";
inline constexpr const char* kHandleEventTextFunction = "HVXInterface_HandleEventText";

// The check functions of H32GRR.DLL, looked up by name like the other
// reports (signatures HVXCheckPrinterSelectFn and HVXPrintSettlementCheckFn).
inline constexpr const char* kPrintSettlementCheckFunction = "DoPrintSettlementCheck";
inline constexpr const char* kCheckPrinterSelectFunction = "CheckPrinterSelect";

// The shipment batch document of H32GRR.DLL (signature HVXReportFn).
inline constexpr const char* kShipmentReportFunction = "DoShipmentReport";

}  // namespace hvx
