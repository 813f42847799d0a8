#include "app/CMainFrame.h"

#include <algorithm>

#include <wx/accel.h>
#include <wx/translation.h>
#include <wx/bmpbndl.h>
#include <wx/display.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/log.h>
#include <wx/menu.h>

#include "app/AppTexts.h"
#include "app/CAboutDlg.h"
#include "app/CVexadraApp.h"
#include "app/Commands.h"
#include "app/PlayCommands.h"
#include "app/ScreenChangeWatch.h"
#include "app/SettingsStore.h"
#include "app/StartupOptions.h"
#include "app/Version.h"
#include "i18n/Translate.h"
#include "res/AppIcon.h"
#include "sound/Cues.h"
#include "ui/CVexadraView.h"
#include "ui/print/InstructionsPrintout.h"

namespace vexadra {

wxBEGIN_EVENT_TABLE(CMainFrame, wxFrame)
    EVT_MENU(wxID_EXIT, CMainFrame::OnExit)
    EVT_MENU(wxID_ABOUT, CMainFrame::OnAbout)
    EVT_MENU(wxID_PRINT, CMainFrame::OnPrint)
    EVT_MENU_RANGE(ID_EDIT_UNDO, ID_PREV_PANE, CMainFrame::OnIgnoredCommand)
    EVT_MENU_RANGE(ID_OPPONENT_TWO_PLAYERS, ID_OPPONENT_EXPERT, CMainFrame::OnOpponent)
    EVT_MENU(ID_GAME_SOUND, CMainFrame::OnSound)
    EVT_CLOSE(CMainFrame::OnClose)
    EVT_SIZE(CMainFrame::OnSize)
wxEND_EVENT_TABLE()

namespace {
wxIconBundle AppIcons()
{
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr)
        wxImage::AddHandler(new wxPNGHandler);
    // A picture that does not decode is drawn from the SVG instead, not reported.
    const wxLogNull quiet;
    wxIconBundle icons;
    // Largest first: so GTK's title bar takes the icon as large as its slot at every
    // scale; the other way round it takes the smallest, blocky at scale 2.
    const auto images = AppIconImages();
    for (auto it = images.rbegin(); it != images.rend(); ++it) {
        const IconImage& image = *it;
        wxBitmap bitmap = wxBitmap::NewFromPNGData(image.png, image.size);
        if (!bitmap.IsOk())  // never expected; the drawing itself still serves
            bitmap = wxBitmapBundle::FromSVG(AppIconSvg(), wxSize(32, 32)).GetBitmap(wxSize(image.side, image.side));
        wxIcon icon;
        icon.CopyFromBitmap(bitmap);
        icons.AddIcon(icon);
    }
    return icons;
}
wxSize Smaller(wxSize a, wxSize b) { return wxSize(std::min(a.x, b.x), std::min(a.y, b.y)); }
} // namespace

// An ordinary resizable window: a frame that cannot be resized gets its first size as
// both its smallest and its largest, and then neither a window manager nor a Wayland
// compositor can fit it to the screen.
CMainFrame::CMainFrame(const StartupOptions& options)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(std::string(kAppName) + " - " + Tr(kUntitled)), wxDefaultPosition,
              wxDefaultSize, wxDEFAULT_FRAME_STYLE)
{
    BuildMenu();
    BuildAccelerators();
    ViewOptions view = options.view;
    view.appName = kAppName;
    view.version = g_strVersion;
    view.tooSmallMessage = kTooSmallMessage;
    view.layoutMemoPath = LayoutMemoFilePath().utf8_string();
    m_view = new CVexadraView(this, view);
    m_view->SetOpponent(theApp->OpponentAtStart());
    m_commands = std::make_unique<PlayCommands>(*this, *m_view, theApp->RememberedAtStart());
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenu()
{
    auto* file = new wxMenu;
    file->AppendSeparator();
    file->Append(wxID_PRINT, _("&Print...") + "\tCtrl+P");
    file->AppendSeparator();
    file->Append(wxID_EXIT, _("E&xit"));
    auto* game = new wxMenu;
    AppendGameCommands(*game);
    game->AppendRadioItem(ID_OPPONENT_TWO_PLAYERS, _("&Two Players"));
    game->AppendRadioItem(ID_OPPONENT_EASY, _("Computer, &Easy"));
    game->AppendRadioItem(ID_OPPONENT_NORMAL, _("Computer, &Normal"));
    game->AppendRadioItem(ID_OPPONENT_HARD, _("Computer, &Hard"));
    game->AppendRadioItem(ID_OPPONENT_EXPERT, _("Computer, E&xpert"));
    game->Check(ID_OPPONENT_TWO_PLAYERS + static_cast<int>(theApp->OpponentAtStart()), true);
    game->AppendSeparator();
    game->AppendCheckItem(ID_GAME_SOUND, _("&Sound"))->Check(IsSoundOn());
    auto* help = new wxMenu;
    AppendHelpCommands(*help);
    help->Append(wxID_ABOUT, _("&About Vexadra..."));
    auto* bar = new wxMenuBar;
    bar->Append(file, _("&File"));
    bar->Append(game, _("&Game"));
    bar->Append(BuildViewMenu(theApp->RememberedAtStart()), _("&View"));
    bar->Append(help, _("&Help"));
    SetMenuBar(bar);
}

// The editing and pane keys are claimed so that they never reach the game (Ctrl+Insert
// and Shift+Insert must not number the colours); Alt+F4 closes the window even where no
// window manager does it for us.
void CMainFrame::BuildAccelerators()
{
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_ALT, WXK_F4, wxID_EXIT},
        {wxACCEL_CTRL, 'Z', ID_EDIT_UNDO},
        {wxACCEL_ALT, WXK_BACK, ID_EDIT_UNDO},
        {wxACCEL_CTRL, 'X', ID_EDIT_CUT},
        {wxACCEL_SHIFT, WXK_DELETE, ID_EDIT_CUT},
        {wxACCEL_CTRL, 'C', ID_EDIT_COPY},
        {wxACCEL_CTRL, WXK_INSERT, ID_EDIT_COPY},
        {wxACCEL_CTRL, 'V', ID_EDIT_PASTE},
        {wxACCEL_SHIFT, WXK_INSERT, ID_EDIT_PASTE},
        {wxACCEL_NORMAL, WXK_F6, ID_NEXT_PANE},
        {wxACCEL_SHIFT, WXK_F6, ID_PREV_PANE},
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(entries)), entries));
}

void CMainFrame::ShowFullScreenSized()
{
    // Without a window manager Maximize() does nothing: take the work area's size first,
    // so that the very first paint already sees the final size. Asking to be maximized
    // before the window is shown lets a manager or compositor map it maximized at once.
    m_workArea = wxGetClientDisplayRect();
    SetSize(m_workArea);
    Maximize();
    Show();
    Raise();
    m_view->SetFocus();
    m_screenWatch = std::make_unique<ScreenChangeWatch>([this] { CallAfter(&CMainFrame::FollowWorkArea); });
}

void CMainFrame::SetAppIcons() { SetIcons(AppIcons()); }

void CMainFrame::FollowWorkArea()
{
    // A window manager or compositor fits a maximized window to the new area itself and
    // leaves one the player has placed alone; without one, nobody moves the window that
    // filled the old area but us.
    const wxRect area = wxGetClientDisplayRect();
    if (GetRect() == m_workArea && area != m_workArea)
        SetSize(area);
    if (area != m_workArea)
        m_maximizedClient.reset();
    m_workArea = area;
    FitIntoWorkArea();
}

void CMainFrame::OnSize(wxSizeEvent& event)
{
    event.Skip();
    // The maximized state may change only after the size that comes with it.
    CallAfter(&CMainFrame::FitIntoWorkArea);
}

void CMainFrame::FitIntoWorkArea()
{
    // A frame is restored to the size it had before it was maximized: the whole work
    // area, which on Wayland leaves no room for the title bar, or the size it had on a
    // larger screen since changed. The client area it had maximized is what fits.
    const wxSize client = GetClientSize();
    if (IsMaximized()) {
        // The state may still say maximized while the size is already the restored one.
        m_maximizedClient = m_maximizedClient ? Smaller(*m_maximizedClient, client) : client;
        return;
    }
    if (IsIconized())
        return;
    if (m_maximizedClient) {
        if (const wxSize fitted = Smaller(client, *m_maximizedClient); fitted != client)
            SetClientSize(fitted);
        return;
    }
    // Not yet seen maximized on this screen: the frame's size counts what the toolkit
    // knows of the decorations.
    const wxSize size = GetSize();
    if (const wxSize fitted = Smaller(size, wxGetClientDisplayRect().GetSize()); fitted != size)
        SetSize(fitted);
}

void CMainFrame::OnExit(wxCommandEvent&) { Close(true); }

void CMainFrame::OnAbout(wxCommandEvent&)
{
    const auto dialog = m_view->DialogShown();
    CAboutDlg about(this);
    about.ShowModal();
}

void CMainFrame::OnPrint(wxCommandEvent&)
{
    const auto dialog = m_view->DialogShown();
    PrintInstructions(this, m_view->Painter().Banner());
}

void CMainFrame::OnOpponent(wxCommandEvent& event)
{
    const auto opponent = static_cast<Opponent>(event.GetId() - ID_OPPONENT_TWO_PLAYERS);
    m_view->SetOpponent(opponent);
    theApp->Store().RememberOpponent(opponent);
}

void CMainFrame::OnIgnoredCommand(wxCommandEvent&) {}

void CMainFrame::OnSound(wxCommandEvent& event)
{
    SetSoundOn(event.IsChecked());
    theApp->Store().RememberSound(event.IsChecked());
}

void CMainFrame::OnClose(wxCloseEvent&)
{
    // Nothing is kept on disk, so there is nothing to ask.
    Destroy();
}

} // namespace vexadra
