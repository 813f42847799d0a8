#pragma once
// The scores dialog: the history of the run and the modal window that lists it.

#include <wx/string.h>

#include "scores/ScoreHistory.h"

class wxCommandEvent;
class wxDialog;
class wxWindow;

namespace vexadra {

enum : int {
    IDD_SCORES = 130,
    IDC_SCORE_LIST = 1000,
    IDC_LEFT_SUM = 1004,
    IDC_RIGHT_SUM = 1005,
};

// Holds nothing but the history, so the one program-wide object can exist before the
// application does; the window is made afresh each time the list is shown.
class CScoresDlg : public ScoreHistory {
public:
    CScoresDlg() = default;
    virtual ~CScoresDlg() = default;
    CScoresDlg(const CScoresDlg&) = delete;
    CScoresDlg& operator=(const CScoresDlg&) = delete;

    // Shows the list modally over parent (may be null) and returns when it is closed.
    // The window is destroyed before this returns. Callers ignore the result.
    int DoModal(wxWindow* parent);

    // The dialog window, filled from the history as it is now, built but not shown.
    // The caller runs it and destroys it; DoModal does both.
    wxDialog* BuildWindow(wxWindow* parent);

    void OnLeftSum(wxCommandEvent& event);
    void OnRightSum(wxCommandEvent& event);

protected:
    // How an explanation reaches the player; a test replaces it so it cannot block.
    virtual int ShowMessage(const wxString& message, const wxString& caption, long style,
                            wxWindow* parent);

private:
    void ExplainSum(wxCommandEvent& event, const char* message);
};

extern CScoresDlg theScoresDlg;

} // namespace vexadra
