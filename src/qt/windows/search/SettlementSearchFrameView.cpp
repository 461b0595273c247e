#include "qt/windows/search/SettlementSearchFrameView.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/ui/QtUiPort.h"
#include "qt/windows/search/SearchResultsModel.h"
#include "windows/search/SearchWindowSize.h"

namespace hvx {

namespace {

// The grid's widths are in the units of the system's dialogs, about a
// quarter of an average character; a column is never narrower than its
// heading, and the date column holds a whole date.
int GridWidth(const QTableView* grid, int cell) {
    const search::SearchCellInfo& info = search::SearchCells()[cell];
    const QFontMetrics& text = grid->fontMetrics();
    int width = info.width * text.averageCharWidth() / 4;
    width = std::max(width, grid->horizontalHeader()->fontMetrics().horizontalAdvance(
                                QString::fromUtf8(info.title.data(), int(info.title.size()))) + 8);
    if (cell == search::kCellDate) width = std::max(width, text.horizontalAdvance("00/00/0000"));
    return width + 12;
}

// The scanned count is hidden when the strip leaves it less than this.
constexpr int kScannedMinimumWidth = 20;
constexpr int kScannedLeft = 395;

}  // namespace

SettlementSearchFrameView::SettlementSearchFrameView(
    std::shared_ptr<search::SettlementSearchObject> criteria, SearchFrameCalls calls,
    QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<QtUiPort>(this)),
      calls_(std::move(calls)),
      controller_(std::make_unique<SettlementSearchFrame>(
          *ui_, static_cast<SearchFramePort&>(*this), std::move(criteria))) {
    setObjectName("SettlementSearchResults");
    for (int i = 0; i < 4; ++i)
        if (calls_.picture) pictures_[i] = calls_.picture(QString("SRCHBMP%1").arg(i + 1));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    BuildStrip();
    BuildGrid();
    BuildButtons();
    ShowState();
}

SettlementSearchFrameView::~SettlementSearchFrameView() = default;

void SettlementSearchFrameView::BuildStrip() {
    auto* strip = new QFrame(this);
    strip->setObjectName("HeaderStrip");
    strip->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(strip);
    picture_ = new QLabel(strip);
    picture_->setFixedSize(32, 32);
    row->addWidget(picture_);
    // Title and matches on the left; the view choice and the scanned count,
    // which may hide, on the right.
    auto* texts = new QVBoxLayout;
    title_ = new QLabel(strip);
    title_->setObjectName("Title");
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title_->setFont(bold);
    matches_ = new QLabel(strip);
    matches_->setObjectName("Matches");
    texts->addWidget(title_);
    texts->addWidget(matches_);
    row->addLayout(texts, 1);
    auto* side = new QGridLayout;
    auto* viewByLabel = new QLabel("View &By", strip);
    viewBy_ = new QComboBox(strip);
    viewBy_->setObjectName("ViewBy");
    viewBy_->addItems({"Settlement Header", "Settlement Detail", "Settlement Links"});
    viewByLabel->setBuddy(viewBy_);
    scanned_ = new QLabel(strip);
    scanned_->setObjectName("Scanned");
    scanned_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    side->addWidget(viewByLabel, 0, 0);
    side->addWidget(viewBy_, 0, 1);
    side->addWidget(scanned_, 1, 0, 1, 2);
    row->addLayout(side);
    connect(viewBy_, &QComboBox::activated, this, [this](int choice) {
        controller_->ViewBy(choice);
        ShowState();
    });
    layout()->addWidget(strip);
}

void SettlementSearchFrameView::BuildGrid() {
    grid_ = new QTableView(this);
    grid_->setObjectName("Results");
    model_ = new SearchResultsModel(
        controller_->Results(), calls_.picture ? calls_.picture("SGRP1") : QPixmap(),
        calls_.picture ? calls_.picture("SGRP2") : QPixmap(), this);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setIconSize(QSize(16, 16));
    for (int cell = 1; cell < search::kSearchCellCount; ++cell)
        grid_->setColumnWidth(cell - 1, GridWidth(grid_, cell));
    grid_->horizontalHeader()->setSectionsClickable(true);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &SettlementSearchFrameView::SortBy);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            &SettlementSearchFrameView::ShowContextMenu);
    connect(grid_, &QAbstractItemView::doubleClicked, this,
            [this] { controller_->View(SelectedRow()); });
    grid_->installEventFilter(this);
    static_cast<QVBoxLayout*>(layout())->addWidget(grid_, 1);
}

void SettlementSearchFrameView::BuildButtons() {
    auto* bar = new QHBoxLayout;
    auto add = [&](const char* text, const char* name) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        bar->addWidget(button);
        return button;
    };
    close_ = add("&Close", "Close");
    view_ = add("&View", "View");
    settle_ = add("&Settle", "Settle");
    research_ = add("&Research", "Research");
    export_ = add("E&xport…", "Export");
    bar->addStretch(1);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (controller_->Close()) {
            if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
                frame->close();
            else
                close();
        }
    });
    connect(view_, &QPushButton::clicked, this, [this] { controller_->View(SelectedRow()); });
    connect(settle_, &QPushButton::clicked, this, &SettlementSearchFrameView::ShowSettleMenu);
    connect(research_, &QPushButton::clicked, this, [this] { controller_->Research(); });
    connect(export_, &QPushButton::clicked, this, [this] { controller_->Export(); });
    static_cast<QVBoxLayout*>(layout())->addLayout(bar);
}

void SettlementSearchFrameView::AddToSystemMenu(QMenu* menu) {
    if (!menu) return;
    menu->addSeparator();
    menu->addAction("R&esearch", this, [this] { controller_->Research(); });
}

void SettlementSearchFrameView::Start() {
    // A window closed before its run was due has nothing to run for.
    if (closed_) return;
    controller_->Run();
}

void SettlementSearchFrameView::ShowState() {
    const QString title = QString::fromStdString(controller_->Title());
    title_->setText(title);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) frame->setWindowTitle(title);
    matches_->setText(QString::fromStdString(controller_->MatchesLine()));
    scanned_->setText(QString::fromStdString(controller_->ScannedText()));
    scanned_->setVisible(width() - kScannedLeft >= kScannedMinimumWidth);
    picture_->setPixmap(pictures_[controller_->Picture()]);
    close_->setText(controller_->CloseText());
    research_->setEnabled(controller_->ResearchEnabled());
    export_->setEnabled(!controller_->Running());
    viewBy_->setEnabled(!controller_->Running());
}

std::optional<std::size_t> SettlementSearchFrameView::SelectedRow() const {
    const QModelIndexList rows = grid_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return static_cast<std::size_t>(rows.first().row());
}

void SettlementSearchFrameView::ShowContextMenu(const QPoint& at) {
    QMenu menu(this);
    menu.addAction("View Settlement", this, [this] { controller_->View(SelectedRow()); });
    menu.addAction("Settle Entry to Settlement By Source", this,
                   [this] { controller_->SettleBySource(SelectedRow()); });
    menu.addAction("Settle Entry to Settlement By Destination", this,
                   [this] { controller_->SettleByDestination(); });
    menu.addSeparator();
    menu.addAction("Research Settlements...", this, [this] { controller_->Research(); })
        ->setEnabled(controller_->ResearchEnabled());
    menu.addSeparator();
    menu.addAction("Close", this, [this] { close_->click(); });
    menu.exec(grid_->viewport()->mapToGlobal(at));
}

void SettlementSearchFrameView::ShowSettleMenu() {
    QMenu menu(this);
    menu.setObjectName("SettleMenu");
    menu.addAction("Settle Entry to Settlement By Source", this,
                   [this] { controller_->SettleBySource(SelectedRow()); });
    menu.addAction("Settle Entry to Settlement By Destination", this,
                   [this] { controller_->SettleByDestination(); });
    // At the button's middle, two thirds down.
    menu.exec(settle_->mapToGlobal(QPoint(settle_->width() / 2, settle_->height() * 2 / 3)));
}

void SettlementSearchFrameView::SortBy(int section) {
    if (controller_->Running()) return;
    sortAscending_ = section == sortedSection_ ? !sortAscending_ : true;
    sortedSection_ = section;
    controller_->Sort(section + 1, sortAscending_);
    grid_->horizontalHeader()->setSortIndicatorShown(true);
    grid_->horizontalHeader()->setSortIndicator(
        section, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void SettlementSearchFrameView::closeEvent(QCloseEvent* event) {
    // During a run only "&Cancel" ends it; the window stays.
    if (controller_->Running()) return event->ignore();
    closed_ = true;
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame && !frame->isMinimized())
        StoreSearchWindowSize({frame->width(), frame->height()});
    event->accept();
}

bool SettlementSearchFrameView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            controller_->View(SelectedRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SettlementSearchFrameView::OpenSourceSettlement(const std::string& key) {
    if (calls_.openSettlement) calls_.openSettlement(false, key);
}

void SettlementSearchFrameView::OpenDestSettlement(const std::string& key) {
    if (calls_.openSettlement) calls_.openSettlement(true, key);
}

bool SettlementSearchFrameView::RunCriteria(search::SettlementSearchObject& criteria,
                                            bool& clearPrevious) {
    return calls_.runCriteria && calls_.runCriteria(criteria, clearPrevious);
}

void SettlementSearchFrameView::Pump() {
    model_->Sync();
    ShowState();
    QApplication::processEvents();
}

void SettlementSearchFrameView::RowsReset() {
    model_->Reset();
    if (sortedSection_ >= 0 && controller_->Results().Size() == 0) {
        sortedSection_ = -1;
        grid_->horizontalHeader()->setSortIndicatorShown(false);
    }
    ShowState();
}

}  // namespace hvx
