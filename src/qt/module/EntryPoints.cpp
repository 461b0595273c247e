// The module's exported entry points. The library is built with hidden
// symbols; only the functions marked HVX_ENTRY are visible to the host.
//
// The window procedures that the module's form definitions used to name are
// not exported: the forms here are Qt widgets, which route their own events,
// so there is nothing for a host or a form library to call by such a name.
#include <QApplication>
#include <cstring>
#include <memory>
#include <type_traits>

#include "platform/HostPort.h"
#include "qt/module/ClientArea.h"
#include "qt/module/DocumentFrames.h"
#include "qt/module/ModalDialogs.h"
#include "abi/ModuleAbi.h"
#include "qt/module/ModuleObject.h"
#include "windows/CheckResources.h"
#include "windows/DocumentKinds.h"

#define HVX_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

using hvx::DocumentKind;

int Open(void* parent, DocumentKind kind, const char* key = "") {
    return hvx::module::OpenDocument(parent, kind, key ? key : "") ? 1 : 0;
}

}  // namespace

HVX_ENTRY const char* HVXWhatCanIDo(const char* query) {
    if (query && std::strcmp(query, "REQUIREDDLLS") == 0) return "H32016.DLL";
    // "MAINTAINANCE" and every other query: nothing, as an empty text.
    return "";
}

HVX_ENTRY int Setup(int) { return 1; }

HVX_ENTRY int Initialize(void* hostInstance) {
    // The instance handle is the host's port: every connection, lock and
    // sibling call of the module goes through it from now on. A second call
    // replaces it.
    hvx::module::ModuleObject::Get().SetHostInstance(hostInstance);
    hvx::SetHostPort(static_cast<hvx::HostPort*>(hostInstance));
    hvx::module::ModuleObject::Get().EnsureResources();
    // The module's forms and result sets are compiled into it, so there is
    // no view library to register them with; the answer is that of a
    // successful registration.
    return 1;
}

HVX_ENTRY int Terminate(int) { return 1; }

HVX_ENTRY int NewSettlement(void* parent) {
    // Without an application no dialog can run: the answer is Cancel's.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    return hvx::module::RunNewSettlementDialog(hvx::module::HostWidget(parent));
}

HVX_ENTRY int CreateSourceSettlementMENU(void* parent) {
    return Open(parent, DocumentKind::SourceSettlement);
}

HVX_ENTRY int CreateSourceSettlement(void* parent, const char* key) {
    return Open(parent, DocumentKind::SourceSettlement, key);
}

HVX_ENTRY int CreateDestSettlementMENU(void* parent) {
    return Open(parent, DocumentKind::DestSettlement);
}

HVX_ENTRY int CreateDestSettlement(void* parent, const char* key) {
    return Open(parent, DocumentKind::DestSettlement, key);
}

HVX_ENTRY int CreateDirShipMENU(void* parent) { return Open(parent, DocumentKind::DirectShipment); }

HVX_ENTRY int CreateCWRMENU(void* parent) { return Open(parent, DocumentKind::WarehouseReceipts); }

HVX_ENTRY void CreateSettlementSearch(void* parent) {
    if (HVXCheckResources() != 0) return;
    QWidget* host = hvx::module::HostWidget(parent);
    if (!host) return;
    // The criteria outlive the dialog: the results window runs the search
    // with them and opens the dialog on them again for its research.
    auto criteria = std::make_shared<hvx::search::SettlementSearchObject>();
    if (!hvx::module::RunSearchCriteriaDialog(host, *criteria, false, nullptr)) return;
    hvx::module::OpenSearchResults(host, criteria);
}

// The host calls these through the types of ModuleAbi.h.
static_assert(std::is_same_v<decltype(&HVXWhatCanIDo), HVXWhatCanIDoFn>);
static_assert(std::is_same_v<decltype(&Setup), HVXSetupFn>);
static_assert(std::is_same_v<decltype(&Initialize), HVXInitializeFn>);
static_assert(std::is_same_v<decltype(&Terminate), HVXTerminateFn>);
static_assert(std::is_same_v<decltype(&NewSettlement), HVXNewSettlementFn>);
static_assert(std::is_same_v<decltype(&CreateSourceSettlementMENU), HVXCreateWindowFn>);
static_assert(std::is_same_v<decltype(&CreateSourceSettlement), HVXCreateKeyedWindowFn>);
static_assert(std::is_same_v<decltype(&CreateDestSettlementMENU), HVXCreateWindowFn>);
static_assert(std::is_same_v<decltype(&CreateDestSettlement), HVXCreateKeyedWindowFn>);
static_assert(std::is_same_v<decltype(&CreateDirShipMENU), HVXCreateWindowFn>);
static_assert(std::is_same_v<decltype(&CreateCWRMENU), HVXCreateWindowFn>);
static_assert(std::is_same_v<decltype(&CreateSettlementSearch), HVXCreateSettlementSearchFn>);
