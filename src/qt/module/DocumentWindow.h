#pragma once
// The inside of a document frame of the module: a settlement entry window
// (by source or by destination), the direct shipment window or the warehouse
// receipts window. A settlement window holds its entry view, opened with the
// key the window was given, and keeps that key and how it started.
//
// Closing: the frame around this window closes only when this window accepts
// its close event, and this window asks its own child widgets first: the
// entry view asks "Changes have been made! Save changes?" and refuses on
// Cancel, whether the document was closed by Ctrl+F4, Ctrl+W, the Window
// menu, the frame's close button, Close All or the host quitting.
#include <QLabel>
#include <QString>
#include <QWidget>

#include "windows/DocumentKinds.h"
#include "windows/SettlementKey.h"

namespace hvx::module {

class DocumentWindow : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString settlementKey READ settlementKey CONSTANT)
    Q_PROPERTY(QString startsAs READ startsAs CONSTANT)
    Q_PROPERTY(int startKind READ startKind CONSTANT)

public:
    // key is empty for the windows that take none.
    DocumentWindow(DocumentKind kind, const SettlementKey& key, QWidget* parent = nullptr);

    DocumentKind kind() const { return kind_; }
    const SettlementKey& key() const { return key_; }

    QString settlementKey() const { return QString::fromStdString(key_.text); }
    // "New settlement", "New settlement from source line #123",
    // "Settlement 1042", or why the key was refused.
    QString startsAs() const;
    // The SettlementStart value, for callers without this header.
    int startKind() const { return static_cast<int>(key_.start); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocumentKind kind_;
    SettlementKey key_;
};

}  // namespace hvx::module
