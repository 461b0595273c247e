#pragma once
// The frame's document area, with the product's name painted softly in the
// middle of its background.
#include <QMdiArea>

namespace hvx {

class MdiBackground : public QMdiArea {
    Q_OBJECT
public:
    explicit MdiBackground(QWidget* parent = nullptr, const QString& name = "Harvexa Grain");

    const QString& Name() const { return name_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name_;
};

}  // namespace hvx
