// The settlement save's interface object: who receives its events, in which
// order, and what the user sees when a receiver fails or cannot take part.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Text.h"
#include "shell/InterfaceObject.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

using Lines = std::vector<std::string>;

struct Received {
    std::string receiver;
    void* owner;
    std::string className, eventName;
    int errorSize;
};

std::vector<Received> gReceived;
// The event a receiver refuses, and why.
std::string gRefusedEvent, gRefusal;

template <int Receiver>
int HandleEventFake(void* owner, const char* className, const char* eventName, char* errorText,
                    int errorSize) {
    gReceived.push_back({Receiver == 1 ? "H32CNSD.DLL" : "H32AUDIT.DLL", owner, className,
                         eventName, errorSize});
    if (eventName != gRefusedEvent) return 0;
    CopyToBuffer(gRefusal, errorText, static_cast<std::size_t>(errorSize));
    return 3;
}

class InterfaceObject : public ::testing::Test {
protected:
    void SetUp() override {
        gReceived.clear();
        gRefusedEvent.clear();
        gRefusal.clear();
    }
    Lines Shown() const {
        Lines lines;
        for (const auto& m : ui.messages) lines.push_back(m.caption + ": " + m.text);
        return lines;
    }
    Lines Events() const {
        Lines lines;
        for (const auto& r : gReceived) lines.push_back(r.receiver + " " + r.eventName);
        return lines;
    }

    hvxtest::FakeWorkingFolder folder;
    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
    int windowTag = 0;
    hvx::HostWindow owner = &windowTag;
};

TEST_F(InterfaceObject, ConsolidationReceivesOnlyWhenInstalled) {
    host.AddModule("H32CNSD.DLL").Export("HVXInterface_HandleEvent", HandleEventFake<1>);
    for (const char* installation : {"", "[H32CNSD.DLL]\nVersion=2\n"}) {
        folder.WriteInstallation(installation);
        {
            hvx::InterfaceObject object(owner);
            EXPECT_EQ(object.ClassName(), "Grain Settlements");
            EXPECT_EQ(object.Receivers(), Lines{});
            EXPECT_TRUE(object.Initialize());
        }
        EXPECT_TRUE(host.sent.empty()) << installation;
    }

    folder.WriteInstallation("[H32CNSD.DLL]\nDllDate=2026-12-05\n");
    {
        hvx::InterfaceObject object(owner);
        EXPECT_EQ(object.Receivers(), Lines{"H32CNSD.DLL"});
        EXPECT_TRUE(object.Initialize());
        EXPECT_EQ(Events(), Lines{"H32CNSD.DLL HVXInitializeEvent"});
    }
    EXPECT_EQ(Events(), (Lines{"H32CNSD.DLL HVXInitializeEvent", "H32CNSD.DLL HVXDestroyEvent"}));
    for (const Received& r : gReceived) {
        EXPECT_EQ(r.owner, owner);
        EXPECT_EQ(r.className, "Grain Settlements");
        EXPECT_EQ(r.errorSize, 1024);
    }
    EXPECT_EQ(Shown(), Lines{});
}

TEST_F(InterfaceObject, ReceiverErrorsAndMissingReceivers) {
    const Lines both{"H32CNSD.DLL", "H32AUDIT.DLL"};
    const struct {
        const char* name;
        bool cnsdLoads, cnsdHandles;
        const char* refusedEvent;
        bool initialized;
        Lines events, shown;
    } cases[] = {
        {"both take every event", true, true, "", true,
         {"H32CNSD.DLL HVXInitializeEvent", "H32AUDIT.DLL HVXInitializeEvent",
          "H32CNSD.DLL HVXDestroyEvent", "H32AUDIT.DLL HVXDestroyEvent"},
         {}},
        // The first refusal ends the firing: the second receiver never hears of it.
        {"initialize refused", true, true, "HVXInitializeEvent", false,
         {"H32CNSD.DLL HVXInitializeEvent", "H32CNSD.DLL HVXDestroyEvent",
          "H32AUDIT.DLL HVXDestroyEvent"},
         {"Harvexa: Consolidation period 2026-11 is closed"}},
        {"destroy refused, nothing to show", true, true, "HVXDestroyEvent", true,
         {"H32CNSD.DLL HVXInitializeEvent", "H32AUDIT.DLL HVXInitializeEvent",
          "H32CNSD.DLL HVXDestroyEvent"},
         {}},
        {"receiver without the function", true, false, "", true,
         {"H32AUDIT.DLL HVXInitializeEvent", "H32AUDIT.DLL HVXDestroyEvent"},
         {"Harvexa: The H32CNSD.DLL module does not support this interface object.",
          "Harvexa: The H32CNSD.DLL module does not support this interface object."}},
        {"receiver the host cannot load", false, true, "", true,
         {"H32AUDIT.DLL HVXInitializeEvent", "H32AUDIT.DLL HVXDestroyEvent"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        host.modules.clear();
        host.sent.clear();
        ui.messages.clear();
        if (c.cnsdLoads) {
            hvxtest::FakeModule& cnsd = host.AddModule("H32CNSD.DLL");
            if (c.cnsdHandles) cnsd.Export("HVXInterface_HandleEvent", HandleEventFake<1>);
        }
        host.AddModule("H32AUDIT.DLL").Export("HVXInterface_HandleEvent", HandleEventFake<2>);
        gRefusedEvent = c.refusedEvent;
        gRefusal = "Consolidation period 2026-11 is closed";
        {
            hvx::InterfaceObject object(owner, "Grain Settlements", both);
            EXPECT_EQ(object.Initialize(), c.initialized);
        }
        EXPECT_EQ(Events(), c.events);
        EXPECT_EQ(Shown(), c.shown);
    }
}

}  // namespace
