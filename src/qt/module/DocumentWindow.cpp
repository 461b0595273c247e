#include "qt/module/DocumentWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

#include "qt/windows/entry/SettlementEntryView.h"
#include "qt/windows/shipments/DirectShipmentView.h"

namespace hvx::module {
namespace {

QString Intro(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::SourceSettlement:
        case DocumentKind::DestSettlement:
        case DocumentKind::DirectShipment: break;
        case DocumentKind::WarehouseReceipts:
            return "Issuing and settling collateral warehouse receipts.";
    }
    return {};
}

}  // namespace

DocumentWindow::DocumentWindow(DocumentKind kind, const SettlementKey& key, QWidget* parent)
    : QWidget(parent), kind_(kind), key_(key) {
    auto* layout = new QVBoxLayout(this);
    if (IsSettlementWindow(kind)) {
        layout->setContentsMargins(4, 4, 4, 4);
        auto* view = new SettlementEntryView(kind == DocumentKind::SourceSettlement
                                                 ? SettlementType::SingleSource
                                                 : SettlementType::MultipleSource,
                                             this);
        layout->addWidget(view);
        view->Open(key_);
        return;
    }
    if (kind == DocumentKind::DirectShipment) {
        layout->setContentsMargins(4, 4, 4, 4);
        auto* view = new DirectShipmentView(this);
        layout->addWidget(view);
        view->Open();
        return;
    }
    const DocumentKindInfo& info = DocumentInfo(kind);
    auto* heading = new QLabel(info.caption, this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    layout->addWidget(heading);
    layout->addWidget(new QLabel(Intro(kind), this));
    layout->addStretch(1);
    auto* status = new QLabel("The entry fields and commands of this window are not built yet.", this);
    status->setObjectName("status");
    status->setEnabled(false);
    layout->addWidget(status);
    setMinimumSize(520, 280);
}

QString DocumentWindow::startsAs() const {
    return IsSettlementWindow(kind_) ? QString::fromStdString(DescribeStart(key_)) : QString();
}

// A close event sent to a child only asks: unlike close(), it neither hides
// the child nor deletes it when the child agrees. The first child that
// refuses keeps the window open, so no later one is asked a question the
// clerk no longer needs to answer.
void DocumentWindow::closeEvent(QCloseEvent* event) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        QCloseEvent ask;
        QCoreApplication::sendEvent(child, &ask);
        if (!ask.isAccepted()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

}  // namespace hvx::module
