#include "qt/module/DocumentWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QVBoxLayout>

#include "qt/windows/entry/SettlementEntryView.h"
#include "qt/windows/receipts/WarehouseReceiptView.h"
#include "qt/windows/shipments/DirectShipmentView.h"

namespace hvx::module {

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
    layout->setContentsMargins(4, 4, 4, 4);
    if (kind == DocumentKind::DirectShipment) {
        auto* view = new DirectShipmentView(this);
        layout->addWidget(view);
        view->Open();
        return;
    }
    layout->addWidget(new WarehouseReceiptView(this));
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
