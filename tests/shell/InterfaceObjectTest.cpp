// The settlement save's interface object: who receives its events, in which
// order, and what the user sees when a receiver fails or cannot take part.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "shell/InterfaceObject.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

using Lines = std::vector<std::string>;

// Every event received, as "receiver event", and the event a receiver refuses.
Lines gEvents;
std::string gRefusedEvent;
int gOwnerTag = 0;

template <int Receiver>
int HandleEventFake(void* owner, const char* className, const char* eventName, char* errorText,
                    int errorSize) {
    gEvents.push_back(std::string(Receiver == 1 ? "H32CNSD.DLL " : "H32AUDIT.DLL ") + eventName);
    EXPECT_EQ(owner, &gOwnerTag);
    EXPECT_STREQ(className, "Grain Settlements");
    EXPECT_EQ(errorSize, 1024);
    if (eventName != gRefusedEvent) return 0;
    CopyToBuffer("Consolidation period 2026-11 is closed", errorText,
                 static_cast<std::size_t>(errorSize));
    return 3;
}

TEST(InterfaceObject, ReceiversInOrderWithTheirErrorsAndAbsences) {
    const char* const init = "H32CNSD.DLL HVXInitializeEvent";
    const char* const destroy = "H32CNSD.DLL HVXDestroyEvent";
    const char* const auditInit = "H32AUDIT.DLL HVXInitializeEvent";
    const char* const auditDestroy = "H32AUDIT.DLL HVXDestroyEvent";
    const std::string unsupported =
        "Harvexa: The H32CNSD.DLL module does not support this interface object.";
    const struct {
        const char* name;
        const char* installation;  // null: both receivers named by the caller
        bool cnsdLoads, cnsdHandles;
        const char* refusedEvent;
        bool initialized;
        Lines events, shown;
    } cases[] = {
        // The settlement save's own object asks only an installed consolidation module.
        {"consolidation not installed", "[H32CNSD.DLL]\nVersion=2\n", true, true, "", true, {}, {}},
        {"consolidation installed", "[H32CNSD.DLL]\nDllDate=2026-12-05\n", true, true, "", true,
         {init, destroy}, {}},
        {"both take every event", nullptr, true, true, "", true,
         {init, auditInit, destroy, auditDestroy}, {}},
        // The first refusal ends the firing: the second receiver never hears of it.
        {"initialize refused", nullptr, true, true, "HVXInitializeEvent", false,
         {init, destroy, auditDestroy}, {"Harvexa: Consolidation period 2026-11 is closed"}},
        {"destroy refused, nothing to show", nullptr, true, true, "HVXDestroyEvent", true,
         {init, auditInit, destroy}, {}},
        {"receiver without the function", nullptr, true, false, "", true,
         {auditInit, auditDestroy}, {unsupported, unsupported}},
        {"receiver the host cannot load", nullptr, false, true, "", true,
         {auditInit, auditDestroy}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hvxtest::FakeWorkingFolder folder;
        hvxtest::FakeHost host;
        hvxtest::ScriptedUi ui;
        gEvents.clear();
        gRefusedEvent = c.refusedEvent;
        if (c.cnsdLoads) {
            hvxtest::FakeModule& cnsd = host.AddModule("H32CNSD.DLL");
            if (c.cnsdHandles) cnsd.Export("HVXInterface_HandleEvent", HandleEventFake<1>);
        }
        host.AddModule("H32AUDIT.DLL").Export("HVXInterface_HandleEvent", HandleEventFake<2>);
        if (c.installation) folder.WriteInstallation(c.installation);
        {
            const auto object =
                c.installation ? std::make_unique<hvx::InterfaceObject>(&gOwnerTag)
                               : std::make_unique<hvx::InterfaceObject>(
                                     &gOwnerTag, "Grain Settlements",
                                     Lines{"H32CNSD.DLL", "H32AUDIT.DLL"});
            EXPECT_EQ(object->ClassName(), "Grain Settlements");
            EXPECT_EQ(object->Initialize(), c.initialized);
        }
        EXPECT_EQ(gEvents, c.events);
        Lines shown;
        for (const auto& m : ui.messages) shown.push_back(m.caption + ": " + m.text);
        EXPECT_EQ(shown, c.shown);
        if (c.events.empty()) EXPECT_TRUE(host.sent.empty());
    }
}

}  // namespace
