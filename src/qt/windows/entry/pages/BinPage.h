#pragma once
// The page of a "Redelivered" line: nothing is priced or kept on terms; the
// units go back to the customer.
#include <QWidget>

namespace hvx {

class BinPage : public QWidget {
    Q_OBJECT
public:
    explicit BinPage(QWidget* parent = nullptr);
};

}  // namespace hvx
