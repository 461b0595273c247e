#pragma once
// The customer reference and name fields of a window, and how a customer is
// looked up for them: in the back office (H32BKOF.DLL) when the BCKOFFCE
// setting selects it, otherwise in the module's own customer list (HVXAR50).
//
// The window reads the setting once, as it opens. A lookup fills the window's
// two fields, cut to the sizes the window keeps; where the focus goes after
// it is the window's to decide.
#include <cstddef>
#include <string>

#include "platform/HostPort.h"

namespace hvx {

class UiPort;

// Hints of the customer fields' search buttons.
inline constexpr const char* kCustomerReferenceHint = "Search for a customer by reference.";
inline constexpr const char* kCustomerNameHint = "Search for a customer by name.";

struct CustomerFields {
    std::string& reference;
    std::string& name;
    std::size_t referenceSize;  // characters each field keeps
    std::size_t nameSize;
};

enum class CustomerLookupResult {
    Filled,         // a customer was chosen or found and is in the fields
    NotChosen,      // the back office chose none, or could not be reached
    ListCancelled,  // the module's own list was cancelled
};

class CustomerLookup {
public:
    CustomerLookup(UiPort& ui, HostWindow window) : ui_(ui), window_(window) {}

    // Reads BCKOFFCE: the first row, blanks around it trimmed, at most 20
    // characters.
    void ReadSetting();
    bool BackOffice() const;

    // The field search of the reference field, or of the name field (byName).
    CustomerLookupResult Search(const CustomerFields& fields, bool byName);

    // Leaving a field. The back office verifies the field's text and, when it
    // does not know it, offers the field's search (unless the back office
    // cannot be reached: the user has been told so once already). The own
    // list reads the name for the reference into the name field, and opens
    // the field's list when the reference is not on file or when listAsked
    // (the window's own test of the name field) holds.
    CustomerLookupResult Leave(const CustomerFields& fields, bool byName, bool listAsked);

private:
    CustomerLookupResult AskBackOffice(const CustomerFields& fields, bool verify, bool byName);

    UiPort& ui_;
    HostWindow window_;
    std::string setting_;
};

}  // namespace hvx
