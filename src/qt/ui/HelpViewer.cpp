#include "qt/ui/HelpViewer.h"

#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "qt/ui/HelpMap.h"

namespace hvx {
namespace {
QPointer<HelpViewer> gViewer;
}

HelpViewer::HelpViewer() : QWidget(nullptr, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Harvexa Grain Help");
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* bar = new QToolBar(this);
    bar->addAction("&Contents", this, [this] { ShowPage(HelpMap().ContentsPage()); });
    QAction* back = bar->addAction("&Back", browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction("&Forward", browser_, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(640, 520);
}

HelpViewer* HelpViewer::Current() { return gViewer; }

HelpViewer* HelpViewer::Open(const QString& helpFile, int context) {
    if (!gViewer) gViewer = new HelpViewer;
    gViewer->ShowPage(HelpMap().PageFor(helpFile, context));
    gViewer->show();
    gViewer->raise();
    gViewer->activateWindow();
    return gViewer;
}

void HelpViewer::ShowPage(const QString& pathWithAnchor) {
    QUrl url = QUrl::fromLocalFile(pathWithAnchor.section('#', 0, 0));
    const QString anchor = pathWithAnchor.section('#', 1);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    browser_->setSource(url);
}

}  // namespace hvx
