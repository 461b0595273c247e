#include "host/app/ScreenshotTour.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTableWidget>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <utility>
#include <vector>

#include "host/app/HostWindow.h"
#include "platform/HVXSConnection.h"
#include "qt/windows/entry/SettlementEntryView.h"
#include "qt/windows/posted/PostedChangeDialogsQt.h"
#include "qt/windows/entry/pages/StorageTermsPage.h"
#include "qt/windows/pricing/PricePageView.h"
#include "qt/windows/receipts/WarehouseReceiptView.h"
#include "qt/windows/shipments/DirectShipmentView.h"
#include "qt/windows/sources/SourceSelectionDialog.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"
#include "settlement/SettlementRecordSet.h"

namespace hvx::host {
namespace {

// A modal dialog gets this long to appear before the tour gives up on it.
constexpr int kModalWaitMs = 10000;

class Tour {
public:
    Tour(HostWindow& window, const QString& folder) : window_(window), folder_(folder) {}

    void Run(const GrainMenuItem& item) {
        const QList<QMdiSubWindow*> before = window_.Area()->subWindowList();
        QTimer modalWatch;
        bool modalSeen = false;
        if (item.modal) {
            // The entry point runs the dialog's own event loop: the dialog
            // is grabbed from a timer while that loop runs.
            QElapsedTimer waited;
            waited.start();
            modalWatch.setInterval(20);
            QObject::connect(&modalWatch, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) {
                    if (waited.elapsed() > kModalWaitMs) modalWatch.stop();
                    return;
                }
                modalWatch.stop();
                modalSeen = true;
                Save(dialog);
                if (item.command == GrainCommand::NewSettlement) WizardPages(dialog);
                if (item.command == GrainCommand::SettlementSearch) {
                    SearchCriteria(dialog);
                    // "&Search", as the clerk runs it: the results open with
                    // the matched cells in red.
                    for (auto* button : dialog->findChildren<QPushButton*>())
                        if (button->text() == "&Search") button->click();
                    if (dialog->isVisible()) dialog->reject();
                }
                else
                    dialog->reject();
            });
            modalWatch.start();
        }
        window_.Run(item.command);
        QApplication::processEvents();
        if (item.modal && !modalSeen) Fail(QString("no dialog appeared for %1").arg(item.text));
        for (QMdiSubWindow* frame : window_.Area()->subWindowList())
            if (!before.contains(frame)) Save(frame);
        if (!item.modal && window_.Area()->subWindowList().size() == before.size())
            Fail(QString("no window opened for %1").arg(item.text));
    }

    // The direct shipment window with two loads of corn on the demo sales
    // contract SC-26-101 entered and not yet finished: a company-owned load
    // figured from its weights, and one shipped from grain priced later.
    void RunDirectShipment() {
        DirectShipmentView view(&window_);
        view.setWindowFlags(Qt::Window);
        view.setWindowTitle("Direct Shipment");
        view.resize(1180, 760);
        view.show();
        view.Open();
        shipwin::DirectShipmentWindow& w = view.Controller();
        w.Batch().header = {"03/07/2026", "CORN", "01"};
        w.CommodityLeft();
        w.Settlement().custRef = "ANDERSON", w.Settlement().custName = "Anderson Family Farms";
        w.Settlement().destination = "Priced";
        const auto load = [&](const char* from, const char* gross, const char* units) {
            shipments::DirectShipmentLoad& l = w.Load();
            l.fromDpr = from, l.contract = "SC-26-101", l.destination = "CIE-NEVADA";
            l.soldToRef = "CIETHANOL", l.soldToName = "Central Iowa Ethanol";
            l.trucker = "HAULRITE", l.weighDate = "03/06/2026", l.purchasePrice = "4.1000";
            l.figures.grossWt = gross, l.figures.dockage = "2", l.figures.netUnits = units;
            w.FiguresChanged();
            if (!w.AddLoad()) Fail("a demo shipment load was refused");
        };
        load("Company Owned", "50000", "");
        load("Priced Later", "", "500*");
        view.Refresh();
        QApplication::processEvents();
        Save(&view, " - Two Loads");
    }
    // The warehouse receipt window with a receipt for Haul-Rite's loan typed
    // in and its references looked up, not yet accepted.
    void RunWarehouseReceipt() {
        WarehouseReceiptView view(&window_);
        view.setWindowFlags(Qt::Window);
        view.setWindowTitle("Collateral Warehouse Receipts");
        view.show();
        receiptwin::ReceiptWindow& w = view.Controller();
        receipts::WarehouseReceipt& r = w.Form();
        r.cwrRef = "CWR-2026-014", r.issueDate = "03/01/2026", r.vendor = "HAULRITE";
        r.commodity = "CORN", r.location = "01", r.units = "25000";
        if (!w.VendorLeft() || !w.CommodityLeft() || !w.LocationLeft())
            return Fail("a demo reference of the warehouse receipt was not found");
        view.Refresh();
        QApplication::processEvents();
        Save(&view, " - Filled");
    }
    // The settlement windows as a clerk works in them on the demo
    // cooperative: by source on stored settlement 9 (Anderson's corn sold
    // out of storage) with its priced line's page, then with its print
    // pop-up open; by destination on settlement 11 (Nguyen's two positions
    // sold together), then with its source menu open.
    void RunEntryWindows() {
        SettlementEntryView source(SettlementType::SingleSource, &window_);
        source.setWindowFlags(Qt::Window);
        source.setWindowTitle("Enter By Settlement Source");
        source.show();
        if (!source.Open(ParseSettlementKey("9"))) return Fail("demo settlement 9 did not open");
        source.LineTable()->setCurrentCell(0, 0);
        QApplication::processEvents();
        Save(&source, " - Settlement 9");
        SaveWithPopUp(source, "Print", " - Print");
        source.hide();

        SettlementEntryView destination(SettlementType::MultipleSource, &window_);
        destination.setWindowFlags(Qt::Window);
        destination.setWindowTitle("Enter By Settlement Destination");
        destination.show();
        if (!destination.Open(ParseSettlementKey("11")))
            return Fail("demo settlement 11 did not open");
        QApplication::processEvents();
        Save(&destination, " - Settlement 11");
        SaveWithPopUp(destination, "Menu", " - Sources");
        destination.hide();
    }

    // The window with the pop-up of one of its buttons open over it.
    void SaveWithPopUp(SettlementEntryView& view, const char* button, const QString& page) {
        QTimer::singleShot(100, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return Fail(QString("no pop-up opened for %1").arg(button));
            QPixmap shot = view.grab();
            QPainter painter(&shot);
            painter.drawPixmap(view.mapFromGlobal(menu->pos()), menu->grab());
            painter.end();
            const QString path = QDir(folder_).filePath(ScreenshotFileName(view.windowTitle() + page));
            if (shot.save(path, "PNG")) files_ << path;
            else Fail("cannot write " + path);
            menu->close();
        });
        view.Button(button)->click();
    }

    // The source selection as a clerk fills it on the demo cooperative: a
    // sale of Anderson's scale tickets, two corn tickets checked (which
    // takes the soybean ticket off the list). Another database shows what
    // it holds for that customer, an empty list included.
    void RunSourceSelection() {
        settlement::SettlementRecordSet set;
        SourceSelectionDialog dialog(&window_);
        SourceSelectionController controller(
            dialog.Ui(), set,
            {std::string(kScaleTicket), "ANDERSON", std::string(kPriced),
             SettlementType::MultipleSource, "03/24/2026"});
        controller.Fill();
        controller.Check(0, true);
        controller.Check(1, true);
        dialog.Show(controller);
        dialog.show();
        QApplication::processEvents();
        Save(&dialog);
        dialog.reject();
    }

    // The change dialogs of a posted settlement, filled as a clerk changes
    // its terms.
    void RunPostedChanges() {
        using posted::PostedChangeKind;
        const std::pair<PostedChangeKind, std::vector<std::string>> examples[] = {
            {PostedChangeKind::Storage, {"03/01/2026", "45.00", "Bin 7", "0.0016"}},
            {PostedChangeKind::Installment, {"03/24/2026", "6.75", "09/24/2026"}},
            {PostedChangeKind::Service, {"03/24/2026", "0.0012"}},
            {PostedChangeKind::CheckNumber, {"100482"}}};
        for (const auto& [kind, texts] : examples) {
            const auto dialog = MakePostedChangeDialog(kind, &window_);
            dialog->SetTexts(texts);
            dialog->show();
            QApplication::processEvents();
            Save(dialog.get());
            dialog->reject();
        }
    }

    // A line's price page as the settlement window shows it beside the line
    // (about 480 by 300): two prices, the corn checkoff figured on the units,
    // a grade factor; then the same line's storage terms page.
    void RunLinePages() {
        QtUiPort ui;
        PricePage page(ui, SettlementType::SingleSource);
        page.SetUnitsSettled(1500);
        for (const auto& [units, price] : {std::pair{"1000", "4.1200"}, {"500", "4.0850"}}) {
            page.NewPrice();
            page.Data().units = units;
            page.Data().price = price;
            page.AcceptPrice();
        }
        page.Data().deduction = "CORNCHK";
        page.Data().deductionEdited = true;
        page.LeaveDeductionField();
        page.AcceptDeduction();
        page.Data().gradeFactor = "MOISTURE";
        page.Data().result = "15.5";
        page.AcceptGrade();
        settlement::DestinationTerms terms;
        terms.pPaidDate = "01222026";
        terms.amtPrepaid = "25.00";
        terms.sRateDate = "0.0016";
        terms.storeCol = "Bin 4";
        PricePageView prices(page, ui);
        StorageTermsPage storage(page, ui);
        storage.Bind(&terms);
        prices.setWindowTitle("Price Page");
        storage.setWindowTitle("Storage Terms");
        for (QWidget* view : {static_cast<QWidget*>(&prices), static_cast<QWidget*>(&storage)}) {
            view->resize(480, 300);
            view->show();
            QApplication::processEvents();
            Save(view);
            view->hide();
        }
    }

    const QStringList& Files() const { return files_; }
    const QString& Error() const { return error_; }

private:
    // The wizard's two other pages, as a clerk fills them for a "Setup"
    // settlement (the one source type that asks for commodity and location).
    void WizardPages(QDialog* wizard) {
        auto* list = wizard->findChild<QListWidget*>("kinds");
        auto* next = wizard->findChild<QPushButton*>("next");
        const auto setup =
            list ? list->findItems("Setup", Qt::MatchExactly) : QList<QListWidgetItem*>();
        if (!next || setup.isEmpty()) return Fail("the wizard has no Setup entry or Next button");
        list->setCurrentItem(setup.first());
        const char* const typed[][2] = {{"Commodity", "CORN"}, {"Location", "01"},
                                        {"Customer Reference", "ANDERSON"},
                                        {"Customer Name", "Anderson Family Farms"}};
        for (const auto& [field, text] : typed)
            if (auto* edit = wizard->findChild<QLineEdit*>(field)) edit->setText(text);
        for (const char* page : {" 2", " 3"}) {
            next->click();
            QApplication::processEvents();
            Save(wizard, page);
        }
    }
    // The search criteria as a clerk fills them to find where Anderson's
    // storage tickets ST-100… went this year: as a source and as a
    // destination, limited to the customer and the year.
    void SearchCriteria(QDialog* criteria) {
        auto* text = criteria->findChild<QLineEdit*>("searchString");
        auto* places = criteria->findChild<QListWidget*>("locations");
        auto* types = criteria->findChild<QComboBox*>("settlementTypes");
        if (!text || !places || !types)
            return Fail("the search criteria have no text, list or types");
        text->setText("ST-100");
        for (const char* place : {"Storage Ticket (Source)", "Storage Ticket (Dest)"})
            for (QListWidgetItem* entry : places->findItems(place, Qt::MatchExactly))
                entry->setSelected(true);
        types->setCurrentIndex(0);
        const char* const typed[][2] = {{"custRef", "ANDERSON"},
                                        {"custName", "Anderson Family Farms"},
                                        {"startDate", "01/01/2026"},
                                        {"endDate", "12/31/2026"}};
        for (const auto& [field, value] : typed)
            if (auto* edit = criteria->findChild<QLineEdit*>(field)) edit->setText(value);
        // Clicked, as the clerk does, so that the groups follow the boxes.
        for (auto* box : criteria->findChildren<QCheckBox*>())
            if (box->text().startsWith("Restrict By")) box->click();
        QApplication::processEvents();
        Save(criteria, " - Filled");
    }
    void Save(QWidget* widget, const QString& page = {}) {
        const QString path =
            QDir(folder_).filePath(ScreenshotFileName(widget->windowTitle() + page));
        if (widget->grab().save(path, "PNG"))
            files_ << path;
        else
            Fail("cannot write " + path);
    }
    void Fail(const QString& message) {
        if (error_.isEmpty()) error_ = message;
    }

    HostWindow& window_;
    QString folder_;
    QStringList files_;
    QString error_;
};

bool OnDemoCooperative() {
    HVXSConnection connection(1, nullptr, 0);
    return connection.ExecSQL("SELECT RECNO FROM HVXAR50 WHERE REFERENCE = 'ANDERSON'") &&
           connection.FetchNext();
}

}  // namespace

QString ScreenshotFileName(const QString& caption) {
    QString name = caption.trimmed();
    for (QChar& c : name)
        if (c == '/' || c == '\\' || c == ':' || c.unicode() < 32) c = '_';
    if (name.isEmpty() || name.startsWith('.')) name.prepend("window");
    return name + ".png";
}

QStringList RunScreenshotTour(HostWindow& window, const QString& folder, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = "cannot create the folder " + folder;
        return {};
    }
    window.show();
    QApplication::processEvents();
    Tour tour(window, folder);
    for (const GrainMenuItem& item : kGrainMenu) tour.Run(item);
    tour.RunSourceSelection();
    tour.RunPostedChanges();
    // The filled states are the demo cooperative's; on another database
    // their references would be refused with messages no one is there to
    // answer.
    if (OnDemoCooperative()) {
        tour.RunLinePages();
        tour.RunEntryWindows();
        tour.RunDirectShipment();
        tour.RunWarehouseReceipt();
    }
    error = tour.Error();
    return tour.Files();
}

}  // namespace hvx::host
