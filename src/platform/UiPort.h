#pragma once
// Every message box, popup, focus move, beep, pick list, comment editor, file
// dialog and help call of the module goes through this port: the Qt layer
// implements it with widgets, tests with a script that answers from a queue
// and records what was shown. A window controller holds the port of its own
// window, so a focus move names a field of that window.
#include <string>
#include <string_view>

namespace hvx {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { Exclamation, Question, Information, Stop, None };
enum class MsgAnswer { Ok, Cancel, Yes, No };

inline constexpr const char* kCaption = "Harvexa";
inline constexpr const char* kHelpFile = "HVXGRP.HLP";

class UiPort {
public:
    virtual ~UiPort() = default;
    virtual MsgAnswer MessageBox(std::string_view text, std::string_view caption,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // A small information popup near a control: width in dialog units and the
    // distance below the control's top.
    virtual void InfoPopup(std::string_view title, std::string_view text, int width,
                           int offsetBelowTop) = 0;
    virtual void Beep() = 0;
    // Moves the focus to a field of the port's window, named as the window's
    // controller names it.
    virtual void SetFocus(std::string_view field) = 0;
    // The wait cursor while a long operation runs; calls nest.
    virtual void SetWaitCursor(bool on) = 0;

    // The framework's pick list. columns is the list of groups of four
    // ("LOCREF,Reference,18,-1,LOCDESC,Description,40,0"), select lists the
    // shown columns followed by STR(RECNO). Starts at startText on the
    // leading column; on a pick startText receives the first column of the
    // chosen row and the chosen RECNO is returned; 0 when cancelled.
    // keyColumn is empty, or the column name one list passes.
    virtual double SearchWin(std::string& startText, std::string_view columns,
                             std::string_view select, std::string_view keyColumn) = 0;
    // The same list under a title of its own ("Find Assembly To Settle").
    virtual double TitledSearchWin(std::string_view title, std::string& startText,
                                   std::string_view columns, std::string_view select,
                                   std::string_view keyColumn) {
        (void)title;
        return SearchWin(startText, columns, select, keyColumn);
    }
    // The dated-comment editor for the record identified by link, on a
    // comments table (LINK, COMMDATE, COMMENT).
    virtual void DoComment(std::string_view table, std::string_view link) = 0;
    // File dialogs: filter as "Grain Search Sets (*.gss)"; an empty text
    // when the user cancels.
    virtual std::string OpenFileName(std::string_view title, std::string_view filter,
                                     std::string_view folder) = 0;
    virtual std::string SaveFileName(std::string_view title, std::string_view filter,
                                     std::string_view folder) = 0;
    // Help: the help file's page for a context number.
    virtual void ShowHelp(std::string_view helpFile, int context) = 0;
};

// The port in force for messages that belong to no window. Without one set,
// messages go to standard error, questions take their first button, pick
// lists and dialogs are cancelled.
void SetUiPort(UiPort* port);
UiPort& Ui();

// The usual error or warning: caption "Harvexa", exclamation icon, OK.
void ShowMessage(std::string_view text);
void ShowMessage(UiPort& ui, std::string_view text);

}  // namespace hvx
