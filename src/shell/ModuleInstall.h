#pragma once
// Which sibling modules of the suite are installed.
#include <string_view>

namespace hvx {

// True when ".\HVX32.INI" holds a "DllDate" key in the section named after the
// module's file name (the suite's installer writes it).
bool IsModuleInstalled(std::string_view moduleFileName);

}  // namespace hvx
