#pragma once
// A page of destination terms beside a settlement line: each field shows one
// member of the bound terms and writes every change straight back into it,
// announcing it with changed(). Dates are kept in the window's form (eight
// digits, month, day, year) and shown and typed as "MM/DD/YYYY"; numbers are
// kept as the text the tables store; flags as "T" or "F".
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "settlement/SettlementHeader.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace hvx {

class DateField;
class NumberField;
class QtUiPort;

class TermsPage : public QWidget {
    Q_OBJECT
public:
    using Member = std::string settlement::DestinationTerms::*;

    // The terms the page shows and edits (none: empty fields, no edits);
    // the page then shows them.
    void Bind(settlement::DestinationTerms* terms);
    // The fields again from the bound terms.
    virtual void Refresh();
    // A posted or locked settlement: every field disabled.
    virtual void setReadOnly(bool readOnly);

signals:
    void changed();

protected:
    TermsPage(QtUiPort& ui, QWidget* parent);

    // Fields at a row and column pair of the page's grid, named for focus
    // moves and tests. Tab follows the order they are made, so they are
    // added in the order a clerk fills them.
    DateField* AddDate(int row, int pair, const QString& label, std::string_view name, Member member);
    NumberField* AddNumber(int row, int pair, const QString& label, std::string_view name,
                           Member member, int decimals);
    QLineEdit* AddText(int row, int pair, const QString& label, std::string_view name,
                       Member member);
    QCheckBox* AddFlag(int row, int pair, const QString& label, std::string_view name,
                       Member member);
    QGridLayout* Grid() const { return grid_; }

private:
    enum class Kind { Date, Number, Text, Flag };
    struct Binding {
        QWidget* field;
        Member member;
        Kind kind;
    };
    void Add(int row, int pair, const QString& label, std::string_view name, Binding binding);
    // Writes a value into the bound terms; changed() only when it differs.
    void Write(Member member, const std::string& value);
    // The caption of a label without its mnemonic and colon, for messages.
    static QString Caption(const QString& label);

    QtUiPort& ui_;
    settlement::DestinationTerms* terms_ = nullptr;
    QGridLayout* grid_;
    std::vector<Binding> bindings_;
};

}  // namespace hvx
