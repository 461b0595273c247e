#pragma once
// One list of the price page on screen: its entry fields above, the list
// below with Accept, New and Remove beside it. The group forwards every
// command to the page controller and shows the list and the form data again
// afterwards; what a command does is the controller's to decide.
#include <QGroupBox>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "qt/ui/QtUiPort.h"
#include "windows/pricing/PricePage.h"

class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace hvx {

class PageListModel;

class PageListGroup : public QGroupBox {
    Q_OBJECT
public:
    QTableView* List() const { return list_; }
    QPushButton* AcceptButton() const { return accept_; }
    QPushButton* NewButton() const { return new_; }
    QPushButton* RemoveButton() const { return remove_; }

    // The list from the controller and the entry fields from its form data.
    void Refresh();
    // A posted or locked settlement: nothing can be entered, the list still
    // scrolls and shows the row picked.
    void setReadOnly(bool readOnly);

signals:
    // A command changed the list.
    void changed();

protected:
    struct Commands {
        std::function<bool()> accept;
        std::function<void()> fresh;
        std::function<bool()> remove;
        std::function<void(std::size_t)> select;
        std::function<std::optional<std::size_t>()> editedRow;
    };
    struct Button {
        QString text;
        std::string_view hint;
    };
    PageListGroup(const QString& title, PageListModel* model, Button accept, Button fresh,
                  Button remove, Commands commands, PricePage& page, QtUiPort& ui,
                  QWidget* parent);

    // A labelled entry field at a row and column pair of the fields grid,
    // named for the controller's focus moves. Tab follows the order in which
    // widgets are made: make each field just before adding it, and call
    // AddList last, so Tab goes through the fields, the buttons, the list.
    void AddField(int row, int pair, const QString& label, QWidget* field, std::string_view name,
                  int span = 1);
    // A text field bound to a member of the page's form data: what the user
    // types goes there, and Refresh shows the member again.
    QLineEdit* AddText(int row, int pair, const QString& label, std::string_view name,
                       std::string PricePageData::*member);
    QGridLayout* Fields() const { return fields_; }
    // The buttons and the list, below the fields.
    void AddList();
    // A column of short texts takes only their width; the others share the rest.
    void FitColumn(int column);
    // The form data into the entry fields: the bound text fields, then what
    // a group shows besides.
    void ShowFields();
    virtual void ShowMore() {}
    // Accept, as its button does.
    void Accept();
    PricePage& Page() const { return page_; }

    // The page's fields may sit on more than one page of the window (the
    // grade factors do); the page shown takes the focus moves.
    void showEvent(QShowEvent* event) override;

private:
    void RunCommand(bool listChanged);

    PricePage& page_;
    QtUiPort& ui_;
    Commands commands_;
    PageListModel* model_;
    Button buttons_[3];
    QVBoxLayout* layout_;
    QGridLayout* fields_;
    QTableView* list_ = nullptr;
    QPushButton* accept_ = nullptr;
    QPushButton* new_ = nullptr;
    QPushButton* remove_ = nullptr;
    std::vector<std::pair<std::string, QWidget*>> named_;
    std::vector<std::pair<QLineEdit*, std::string PricePageData::*>> texts_;
};

}  // namespace hvx
