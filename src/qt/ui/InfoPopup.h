#pragma once
// A small frameless information popup: a bold title over a text, shown below a
// control. It closes on the next click or key, like a tool tip that the user
// can read at leisure.
#include <QFrame>

class QLabel;

namespace hvx {

class InfoPopup : public QFrame {
    Q_OBJECT
public:
    // width and offsetBelowTop are in dialog units of the anchor's font: a
    // horizontal unit is a quarter of the average character width, a vertical
    // unit an eighth of the character height.
    InfoPopup(const QString& title, const QString& text, int width, QWidget* anchor,
              int offsetBelowTop);

    QString Title() const;
    QString Text() const;

    static int HorizontalDialogUnits(const QWidget* widget, int units);
    static int VerticalDialogUnits(const QWidget* widget, int units);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* title_;
    QLabel* text_;
};

}  // namespace hvx
