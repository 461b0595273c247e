#include "qt/windows/paynames/PayNameDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settlement/ChildListText.h"

namespace hvx {
namespace {

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PayNameDialog::PayNameDialog(QWidget* parent) : QDialog(parent), ui_(this) {
    setWindowTitle("Pay Names");
    list_ = new QTableWidget(0, 2, this);
    list_->setObjectName(QString::fromUtf8(kFieldPayNameList.data(), kFieldPayNameList.size()));
    list_->setHorizontalHeaderLabels({"Pay To", "Type"});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setTabKeyNavigation(false);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    name_ = new QLineEdit(this);
    name_->setObjectName(QString::fromUtf8(kFieldPayName.data(), kFieldPayName.size()));
    name_->setMaxLength(static_cast<int>(settlement::kPayNameChars));
    mortgagee_ = new QCheckBox("&Mortgagee (otherwise a payee)", this);
    mortgagee_->setObjectName("mortgagee");
    accept_ = MakeButton("&Accept", "accept", this);
    accept_->setToolTip("Accept this pay name.");
    accept_->setDefault(true);
    new_ = MakeButton("Ne&w", "new", this);
    new_->setToolTip("Enter a new pay name.");
    delete_ = MakeButton("&Delete", "delete", this);
    delete_->setToolTip("Delete the highlighted pay name.");
    up_ = MakeButton("Move &Up", "up", this);
    up_->setToolTip("Move the highlighted pay name up.");
    down_ = MakeButton("Mo&ve Down", "down", this);
    down_->setToolTip("Move the highlighted pay name down.");
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = box->button(QDialogButtonBox::Ok);
    ok_->setText("&OK");
    ok_->setObjectName("ok");
    ok_->setAutoDefault(false);
    box->button(QDialogButtonBox::Cancel)->setAutoDefault(false);
    ui_.RegisterField(std::string(kFieldPayName), name_);
    ui_.RegisterField(std::string(kFieldPayNameList), list_);

    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (editor_) editor_->Data().name = text.toStdString();
    });
    connect(mortgagee_, &QCheckBox::toggled, this, [this](bool on) {
        if (editor_) editor_->Data().mortgagee = on;
    });
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) { SelectRow(row); });
    connect(accept_, &QPushButton::clicked, this, [this] { Command(&PayNameEditor::Accept); });
    connect(delete_, &QPushButton::clicked, this, [this] { Command(&PayNameEditor::Delete); });
    connect(up_, &QPushButton::clicked, this, [this] { Command(&PayNameEditor::MoveUp); });
    connect(down_, &QPushButton::clicked, this, [this] { Command(&PayNameEditor::MoveDown); });
    connect(new_, &QPushButton::clicked, this, [this] {
        if (!editor_) return;
        editor_->New();
        Refresh();
    });
    connect(box, &QDialogButtonBox::accepted, this, [this] {
        if (editor_) editor_->Ok();
        accept();
    });
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* nameLabel = new QLabel("&Name:", this);
    nameLabel->setBuddy(name_);
    auto* listLabel = new QLabel("Pay &to:", this);
    listLabel->setBuddy(list_);
    auto* commands = new QVBoxLayout;
    for (QPushButton* b : {accept_, new_, delete_}) commands->addWidget(b);
    commands->addSpacing(12);
    for (QPushButton* b : {up_, down_}) commands->addWidget(b);
    commands->addStretch(1);
    auto* grid = new QGridLayout;
    grid->addWidget(listLabel, 0, 0, Qt::AlignTop);
    grid->addWidget(list_, 0, 1);
    grid->addLayout(commands, 0, 2, 3, 1);
    grid->addWidget(nameLabel, 1, 0);
    grid->addWidget(name_, 1, 1);
    grid->addWidget(mortgagee_, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(box);
    // The clerk types a name and its kind, then accepts it; the list and the
    // dialog's own buttons come after.
    setTabOrder(name_, mortgagee_);
    setTabOrder(mortgagee_, accept_);
    setTabOrder(accept_, new_);
    setTabOrder(new_, delete_);
    setTabOrder(delete_, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, list_);
    setTabOrder(list_, ok_);
    setTabOrder(ok_, box->button(QDialogButtonBox::Cancel));
    resize(520, 320);
}

bool PayNameDialog::Run(PayNameEditor& editor) {
    editor_ = &editor;
    editor.New();
    Refresh();
    name_->setFocus();
    const bool accepted = exec() == QDialog::Accepted;
    editor_ = nullptr;
    return accepted;
}

void PayNameDialog::Command(bool (PayNameEditor::*command)()) {
    if (!editor_) return;
    if ((editor_->*command)()) Refresh();
}

void PayNameDialog::SelectRow(int row) {
    if (!editor_ || row < 0) return;
    editor_->Select(static_cast<std::size_t>(row));
    Refresh();
}

void PayNameDialog::Refresh() {
    const PayNameEditorData& data = editor_->Data();
    {
        const QSignalBlocker quiet(list_);
        const std::vector<std::string> rows = editor_->Rows();
        list_->setRowCount(static_cast<int>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QStringList cells = QString::fromStdString(rows[i]).split('\t');
            for (int c = 0; c < 2; ++c)
                list_->setItem(static_cast<int>(i), c, new QTableWidgetItem(cells.value(c)));
        }
        if (data.row)
            list_->setCurrentCell(static_cast<int>(*data.row), 0);
        else
            list_->clearSelection(), list_->setCurrentItem(nullptr);
    }
    name_->setText(QString::fromStdString(data.name));
    const QSignalBlocker quietKind(mortgagee_);
    mortgagee_->setChecked(data.mortgagee);
}

}  // namespace hvx
