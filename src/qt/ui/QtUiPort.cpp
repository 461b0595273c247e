#include "qt/ui/QtUiPort.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/PickList.h"
#include "qt/ui/CommentEditor.h"
#include "qt/ui/FileFilter.h"
#include "qt/ui/HelpViewer.h"
#include "qt/ui/InfoPopup.h"
#include "qt/ui/PickListDialog.h"

namespace hvx {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Stop: return QMessageBox::Critical;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton first;
    MsgAnswer closed;  // the answer when the box is closed without a button
};

ButtonSet ToQt(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return {QMessageBox::Ok, QMessageBox::Ok, MsgAnswer::Ok};
        case MsgButtons::OkCancel:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, MsgAnswer::Cancel};
        case MsgButtons::YesNo:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, MsgAnswer::No};
        case MsgButtons::YesNoCancel:
            return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                    MsgAnswer::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok, MsgAnswer::Ok};
}

}  // namespace

QtUiPort::QtUiPort(QWidget* window) : window_(window) {}

QWidget* QtUiPort::DialogParent() const {
    return window_ ? window_.data() : QApplication::activeWindow();
}

void QtUiPort::RegisterField(const std::string& name, QWidget* widget) { fields_[name] = widget; }

MsgAnswer QtUiPort::MessageBox(std::string_view text, std::string_view caption,
                               MsgButtons buttons, MsgIcon icon) {
    const ButtonSet set = ToQt(buttons);
    QMessageBox box(ToQt(icon), Q(caption), Q(text), set.buttons, DialogParent());
    // Messages quote what users typed; a '<' in a name must not turn into markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(set.first);
    switch (box.exec()) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return set.closed;
    }
}

void QtUiPort::InfoPopup(std::string_view title, std::string_view text, int width,
                         int offsetBelowTop) {
    QWidget* anchor = window_ ? window_->focusWidget() : QApplication::focusWidget();
    if (!anchor) anchor = window_;
    auto* popup = new hvx::InfoPopup(Q(title), Q(text), width, anchor, offsetBelowTop);
    popup->show();
}

void QtUiPort::Beep() { QApplication::beep(); }

void QtUiPort::SetFocus(std::string_view field) {
    const auto found = fields_.find(std::string(field));
    if (found == fields_.end() || !found->second) {
        qWarning("Harvexa: no field \"%.*s\" to move the focus to",
                 static_cast<int>(field.size()), field.data());
        return;
    }
    found->second->setFocus(Qt::OtherFocusReason);
}

void QtUiPort::SetWaitCursor(bool on) {
    if (on) {
        ++waitDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (waitDepth_ > 0) {
        --waitDepth_;
        QApplication::restoreOverrideCursor();
    }
}

double QtUiPort::SearchWin(std::string& startText, std::string_view columns,
                           std::string_view select, std::string_view keyColumn) {
    return TitledSearchWin({}, startText, columns, select, keyColumn);
}

double QtUiPort::TitledSearchWin(std::string_view title, std::string& startText,
                                 std::string_view columns, std::string_view select,
                                 std::string_view keyColumn) {
    PickList list;
    std::string error;
    SetWaitCursor(true);
    const bool loaded = list.Load(columns, select, keyColumn, error);
    SetWaitCursor(false);
    if (!loaded) {
        ShowMessage(*this, error);
        return 0;
    }
    PickListDialog dialog(list, QString::fromStdString(startText), DialogParent());
    if (!title.empty()) dialog.setWindowTitle(QString::fromUtf8(title.data(), qsizetype(title.size())));
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenRow() < 0) return 0;
    startText = list.KeyText(dialog.ChosenRow());
    return list.Rows()[dialog.ChosenRow()].recno;
}

void QtUiPort::DoComment(std::string_view table, std::string_view link) {
    CommentEditor editor(std::string(table), std::string(link), *this, DialogParent());
    if (editor.Reload()) editor.exec();
}

std::string QtUiPort::FileName(bool save, std::string_view title, std::string_view filter,
                               std::string_view folder) {
    const QtFileFilter qtFilter = ToQtFileFilter(Q(filter));
    QFileDialog dialog(DialogParent(), Q(title), Q(folder));
    dialog.setNameFilters(qtFilter.filters.split(";;", Qt::SkipEmptyParts));
    dialog.setDefaultSuffix(qtFilter.defaultSuffix);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    // Whoever saves asks about a file that is there already, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // The chosen file is taken as the dialog accepts it: once the dialog has
    // closed, selectedFiles() may already answer with the folder alone.
    QString chosen;
    QObject::connect(&dialog, &QFileDialog::fileSelected,
                     [&chosen](const QString& file) { chosen = file; });
    if (dialog.exec() != QDialog::Accepted) return {};
    return chosen.toStdString();
}

std::string QtUiPort::OpenFileName(std::string_view title, std::string_view filter,
                                   std::string_view folder) {
    return FileName(false, title, filter, folder);
}

std::string QtUiPort::SaveFileName(std::string_view title, std::string_view filter,
                                   std::string_view folder) {
    return FileName(true, title, filter, folder);
}

void QtUiPort::ShowHelp(std::string_view helpFile, int context) {
    HelpViewer::Open(Q(helpFile), context);
}

}  // namespace hvx
