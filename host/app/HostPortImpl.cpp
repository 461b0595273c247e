#include "host/app/HostPortImpl.h"

#include <QMdiSubWindow>
#include <cstdint>
#include <cstdio>

#include "host/LockService.h"
#include "abi/ModuleAbi.h"

namespace hvx::host {

HostPortImpl::HostPortImpl(QMainWindow* frame, QMdiArea* area, SiblingLibraries& siblings,
                           LockService* locks)
    : frame_(frame), area_(area), siblings_(siblings), locks_(locks) {}

HostWindow HostPortImpl::MainWindow() { return frame_.data(); }

long HostPortImpl::SendHostMessage(HostWindow, unsigned message, long wparam, void* lparam) {
    switch (message) {
        case kMsgLoadModule: {
            const char* name = static_cast<const char*>(lparam);
            void* handle = name ? siblings_.Load(name) : nullptr;
            // A missing sibling is an ordinary answer (the module then takes
            // its "not installed" path); the reason goes to the log only.
            if (!handle && name) std::fprintf(stderr, "harvexa: %s\n", siblings_.LastError().c_str());
            return static_cast<long>(reinterpret_cast<std::intptr_t>(handle));
        }
        case kMsgLock:
            if (!locks_ || !lparam) return 0;
            return locks_->Handle(wparam, *static_cast<LockRequest*>(lparam));
        default:
            return 0;
    }
}

void HostPortImpl::BroadcastToDocuments(unsigned message, long wparam, const void* lparam) {
    lastReach_ = 0;
    if (!area_ || (message != kMsgPositionChanged && message != kMsgDocumentNotice)) return;
    // The position key travels as text with 14001; 8205 carries none.
    const QString text = message == kMsgPositionChanged && lparam
                             ? QString::fromUtf8(static_cast<const char*>(lparam))
                             : QString();
    for (QMdiSubWindow* frame : area_->subWindowList()) {
        QWidget* window = frame->widget();
        if (!window || window->metaObject()->indexOfSlot(kHostNoticeSlot) < 0) continue;
        QMetaObject::invokeMethod(window, kHostNoticeMethod, Qt::DirectConnection,
                                  Q_ARG(uint, message), Q_ARG(qlonglong, wparam),
                                  Q_ARG(QString, text));
        ++lastReach_;
    }
}

void* HostPortImpl::FindSiblingFunction(void* module, std::string_view name) {
    return siblings_.Function(module, name);
}

bool HostPortImpl::IsModuleLoaded(void* module) { return siblings_.IsLoaded(module); }

}  // namespace hvx::host
