#include "qt/ui/ContractViewDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "settlement/SettlementLookups.h"

namespace hvx {

ContractViewDialog::ContractViewDialog(const std::string& category, QWidget* parent)
    : QDialog(parent), ui_(parent ? parent : this) {
    setWindowTitle(settlement::kContractViewCaption);
    list_ = new QTableWidget(0, 3, this);
    list_->setHorizontalHeaderLabels({"Settlement", "Commodity", "Date"});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->verticalHeader()->hide();
    list_->setWordWrap(false);
    list_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(420, 300);

    std::vector<settlement::ContractViewRow> rows;
    std::string error;
    if (!settlement::ReadContractView(category, rows, error)) {
        ShowMessage(ui_, error);
        return;
    }
    list_->setRowCount(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string* cells[] = {&rows[i].settlement, &rows[i].commodity, &rows[i].date};
        for (int c = 0; c < 3; ++c)
            list_->setItem(static_cast<int>(i), c,
                           new QTableWidgetItem(QString::fromStdString(*cells[c])));
    }
}

QPushButton* ContractViewDialog::NewButton(std::function<std::string()> category,
                                           QWidget* parent) {
    auto* button = new QPushButton("&View", parent);
    button->setToolTip(settlement::kContractViewHint);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [category, parent] {
        ContractViewDialog view(category(), parent);
        view.exec();
    });
    return button;
}

}  // namespace hvx
