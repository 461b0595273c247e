#pragma once
// The "Settlement Search Results" window: header strip, result grid and
// button bar over a SettlementSearchFrame. The view binds and forwards; the
// controller decides.
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "windows/search/SettlementSearchFrame.h"

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace hvx {

class QtUiPort;
class SearchResultsModel;

// What the window needs from the module that opens it.
struct SearchFrameCalls {
    // CreateSourceSettlement (byDestination false) or CreateDestSettlement.
    std::function<void(bool byDestination, const std::string& key)> openSettlement;
    // The criteria dialog as a repeat search (see SearchFramePort::RunCriteria).
    std::function<bool(search::SettlementSearchObject&, bool&)> runCriteria;
    std::function<QPixmap(const QString&)> picture;
};

class SettlementSearchFrameView final : public QWidget, private SearchFramePort {
    Q_OBJECT
public:
    SettlementSearchFrameView(std::shared_ptr<search::SettlementSearchObject> criteria,
                              SearchFrameCalls calls, QWidget* parent = nullptr);
    ~SettlementSearchFrameView() override;

    // The system menu of the frame the window sits in gets "R&esearch".
    void AddToSystemMenu(QMenu* menu);
    // Runs the search: the window is shown first, rows arrive as it runs.
    void Start();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenSourceSettlement(const std::string& key) override;
    void OpenDestSettlement(const std::string& key) override;
    bool RunCriteria(search::SettlementSearchObject& criteria, bool& clearPrevious) override;
    void Pump() override;
    void RowsReset() override;

    void BuildStrip();
    void BuildGrid();
    void BuildButtons();
    void ShowState();
    std::optional<std::size_t> SelectedRow() const;
    void ShowContextMenu(const QPoint& at);
    void ShowSettleMenu();
    void SortBy(int section);

    std::unique_ptr<QtUiPort> ui_;
    SearchFrameCalls calls_;
    std::unique_ptr<SettlementSearchFrame> controller_;
    SearchResultsModel* model_ = nullptr;
    QPixmap pictures_[4];
    QLabel* picture_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* matches_ = nullptr;
    QLabel* scanned_ = nullptr;
    QComboBox* viewBy_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* view_ = nullptr;
    QPushButton* settle_ = nullptr;
    QPushButton* research_ = nullptr;
    QPushButton* export_ = nullptr;
    bool closed_ = false;
    int sortedSection_ = -1;
    bool sortAscending_ = true;
};

}  // namespace hvx
