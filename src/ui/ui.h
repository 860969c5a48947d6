// Small Win32 helpers shared by every window of the program: measures in twips at the window's
// DPI, the fonts, the program icon, message boxes and control creation. Windows only.
#pragma once

#include <windows.h>

#include <string>

#include "app/message.h"
#include "app/window_geometry.h"

namespace kinoha::ui {

HINSTANCE Instance();

// Dots per inch of the window's monitor (of the primary monitor for a null window).
UINT WindowDpi(HWND window);
// GetSystemMetrics at a DPI, and AdjustWindowRectEx (no menu) at a DPI; on Windows before 10
// 1607, where a window has only the system DPI, the plain functions.
int MetricForDpi(int index, UINT dpi);
void AdjustRectForDpi(RECT& r, DWORD style, DWORD exStyle, UINT dpi);
// Twips (1/1440 inch) to pixels at a DPI and back; 15 twips a pixel at 96 DPI.
int TwipsToPixels(int twips, UINT dpi);
int PixelsToTwips(int pixels, UINT dpi);

// The program's font face "ＭＳ ゴシック" (Shift-JIS character set) at a point size and DPI.
// The caller deletes it.
HFONT GothicFont(double points, UINT dpi, bool bold = false, bool italic = false);

// The program icon at a size in pixels (from the resources). Shared; never destroy it.
HICON ProgramIcon(int size);

// Registers a window class of the program (its icon, the arrow cursor, the dialog face colour
// as background). Registering a class twice is harmless.
void RegisterWindowClass(const wchar_t* name, WNDPROC proc);

// A modal message box with one OK button.
void ShowMessage(HWND owner, const std::wstring& title, const std::wstring& text, MessageIcon icon);

// A rectangle in twips: left, top, width, height.
struct TwipsRect {
    int left, top, width, height;
};

// The window's outer geometry in twips at its DPI; while minimised, the place it is restored to.
WindowGeometry OuterGeometry(HWND window);

// The outer size of a window whose client area is the given twips at a DPI.
SIZE OuterSizeForClient(int clientWidthTwips, int clientHeightTwips, DWORD style, DWORD exStyle,
                        UINT dpi);

// Creates a child control placed in twips at the parent's DPI, with the font.
HWND CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                   int id, const TwipsRect& place, HFONT font, DWORD exStyle = 0);
// Moves a control to a place in twips.
void PlaceControl(HWND control, const TwipsRect& place, UINT dpi);

// Adds a tooltip to a control (creating the tooltip window of the parent on first use).
void AddTooltip(HWND parent, HWND control, const std::wstring& text);
// Changes the text of a control's tooltip made by AddTooltip.
void SetTooltipText(HWND parent, HWND control, const std::wstring& text);

// Outer window rectangle from a geometry in twips, moved onto the nearest monitor's work area
// when it would lie off every monitor.
RECT VisibleWindowRect(int leftTwips, int topTwips, int widthTwips, int heightTwips, UINT dpi);

}  // namespace kinoha::ui
