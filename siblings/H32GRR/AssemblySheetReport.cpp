// One assembly sheet, exported under the name the grain module looks up.
// The module passes the assembly number first and nothing in the rest.
#include <string>
#include <type_traits>

#include "PrintDocument.h"
#include "abi/SiblingAbi.h"
#include "settlement/AssemblySheetDocument.h"

#define H32GRR_EXPORT extern "C" __attribute__((visibility("default")))

H32GRR_EXPORT void DoOneAssemblySheetEx(void*, const char* assembly, const char*, const char*,
                                        int) {
    h32grr::PrintDocument([&](hvx::report::Document& document, std::string& message) {
        hvx::settlement::AssemblySheet sheet;
        if (!hvx::settlement::LoadAssemblySheet(assembly ? assembly : "", sheet, message))
            return false;
        document = hvx::settlement::AssemblySheetDocument(sheet);
        return true;
    });
}

static_assert(std::is_same_v<decltype(&DoOneAssemblySheetEx), HVXReportFn>);
