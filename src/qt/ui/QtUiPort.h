#pragma once
// The UI port over Qt widgets: message boxes, popups, focus, the wait cursor,
// the pick list, the dated-comment editor, file dialogs and help, for one
// window (or for the application when window is null).
#include <QPointer>
#include <QWidget>
#include <map>
#include <string>

#include "platform/UiPort.h"

namespace hvx {

class QtUiPort : public UiPort {
public:
    explicit QtUiPort(QWidget* window = nullptr);

    // Names a field of the window for SetFocus.
    void RegisterField(const std::string& name, QWidget* widget);
    QWidget* Window() const { return window_; }

    MsgAnswer MessageBox(std::string_view text, std::string_view caption, MsgButtons buttons,
                         MsgIcon icon) override;
    void InfoPopup(std::string_view title, std::string_view text, int width,
                   int offsetBelowTop) override;
    void Beep() override;
    void SetFocus(std::string_view field) override;
    void SetWaitCursor(bool on) override;
    double SearchWin(std::string& startText, std::string_view columns, std::string_view select,
                     std::string_view keyColumn) override;
    double TitledSearchWin(std::string_view title, std::string& startText,
                           std::string_view columns, std::string_view select,
                           std::string_view keyColumn) override;
    void DoComment(std::string_view table, std::string_view link) override;
    std::string OpenFileName(std::string_view title, std::string_view filter,
                             std::string_view folder) override;
    std::string SaveFileName(std::string_view title, std::string_view filter,
                             std::string_view folder) override;
    void ShowHelp(std::string_view helpFile, int context) override;

private:
    // The window's dialogs belong to it; without a window, to the active one.
    QWidget* DialogParent() const;
    std::string FileName(bool save, std::string_view title, std::string_view filter,
                         std::string_view folder);

    QPointer<QWidget> window_;
    std::map<std::string, QPointer<QWidget>> fields_;
    int waitDepth_ = 0;
};

}  // namespace hvx
