#include "qt/module/DocumentFrames.h"

#include <QLabel>
#include <QVBoxLayout>

#include "qt/module/ClientArea.h"
#include "qt/module/DocumentWindow.h"
#include "qt/module/ModuleObject.h"
#include "windows/FramePlacement.h"
#include "windows/search/SearchWindowSize.h"
#include "windows/SettlementKey.h"

namespace hvx::module {
namespace {

// A document frame has a title with the system menu, minimise and close
// buttons, and no maximise button: the window is laid out for one size.
constexpr Qt::WindowFlags kDocumentFlags = Qt::SubWindow | Qt::CustomizeWindowHint |
                                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                           Qt::WindowMinimizeButtonHint |
                                           Qt::WindowCloseButtonHint;
// The search results window can be sized and maximised.
constexpr Qt::WindowFlags kResultsFlags = kDocumentFlags | Qt::WindowMaximizeButtonHint;

QMdiSubWindow* NewFrame(QMdiArea* area, QWidget* inside, const char* className,
                        const char* caption, const char* icon, Qt::WindowFlags flags) {
    auto* frame = new QMdiSubWindow(nullptr, flags);
    frame->setObjectName(className);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWidget(inside);
    area->addSubWindow(frame, flags);
    frame->setWindowTitle(caption);
    frame->setWindowIcon(ModuleObject::Get().Icon(icon));
    return frame;
}

// The client area places a frame when it is shown, over any position set
// before; so the frame is shown first and moved at once, before anything is
// painted.
void ShowAt(QMdiSubWindow* frame, const std::optional<FramePosition>& position) {
    frame->show();
    if (position) frame->move(position->x, position->y);
}

class SearchResultsWindow : public QWidget {
public:
    explicit SearchResultsWindow(QWidget* parent = nullptr) : QWidget(parent) {
        auto* layout = new QVBoxLayout(this);
        auto* status = new QLabel("The search results list is not built yet.", this);
        status->setObjectName("status");
        status->setEnabled(false);
        layout->addWidget(status);
        layout->addStretch(1);
    }
};

}  // namespace

bool OpenDocument(void* parent, DocumentKind kind, std::string_view key) {
    QMdiArea* area = FindClientArea(HostWidget(parent));
    if (!area) return false;
    const DocumentKindInfo& info = DocumentInfo(kind);
    auto* window = new DocumentWindow(kind, ParseSettlementKey(IsSettlementWindow(kind) ? key : ""));
    QMdiSubWindow* frame =
        NewFrame(area, window, info.className, info.caption, info.icon, kDocumentFlags);
    // No sizing border: the frame keeps the size its window asks for.
    frame->adjustSize();
    frame->setFixedSize(frame->size());
    ShowAt(frame, DocumentFramePosition(ScreenOf(area)));
    return true;
}

QMdiSubWindow* OpenSearchResults(QWidget* parent,
                                 std::shared_ptr<search::SettlementSearchObject>) {
    QMdiArea* area = FindClientArea(parent);
    if (!area) return nullptr;
    QMdiSubWindow* frame = NewFrame(area, new SearchResultsWindow, "SettlementSearchFrame",
                                    "Settlement Search Results", "contract", kResultsFlags);
    // The stored size is the frame's outer size, as the window writes it
    // back. Nothing is painted before the frame is shown, so it never shows
    // at its first size.
    const WindowSize size = SearchWindowSize();
    frame->resize(size.width, size.height);
    ShowAt(frame, SearchFramePosition(ScreenOf(area)));
    frame->raise();
    area->setActiveSubWindow(frame);
    return frame;
}

}  // namespace hvx::module
