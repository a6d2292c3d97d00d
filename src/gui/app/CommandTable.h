#pragma once

#include <span>

class CMainFrame;

// Who carries out a command.
enum class ECommandRoute {
    Frame,  // a handler of the frame (handler below)
    View,   // the graph view; enabled while the view can carry it out
    Unavailable,  // the program has no such function: shown disabled
};

using CommandHandler = void (CMainFrame::*)(int nId);

// One row of the program's command table. Menus, toolbars, tooltips, status
// prompts and keyboard shortcuts are all built from these rows.
struct SCommandInfo {
    int nId;
    const char *pszPopup;    // menu popup ("&File" ...); nullptr when not in the menu
    const char *pszCaption;  // menu caption without the key text (keys come from pszKeys)
    const char *pszPrompt;   // status prompt; the part after "\n" is the short name; nullptr: none
    const char *pszTooltip;  // toolbar tooltip; nullptr: the short name of the prompt
    const char *pszKeys;     // accelerators in portable text, "; " between several; nullptr: none
    ECommandRoute route;
    CommandHandler handler;  // for ECommandRoute::Frame
    bool bCheckable;
};

// Separator rows in the menu have nId == 0 and the popup they belong to.
std::span<const SCommandInfo> CommandTable();
const SCommandInfo *FindCommand(int nId);

// Toolbar layouts, 0 = separator.
std::span<const int> MainToolbarLayout();
std::span<const int> ZoomToolbarLayout();

// The popups of the main menu, in order.
std::span<const char *const> MenuPopups();

// Number of entries of the recent-file list.
constexpr int kRecentFileCount = 4;
