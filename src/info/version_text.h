// What the version window shows: the product's names and addresses and its eight-line text
// block.
#pragma once

#include <string>

#include "app/build_info.h"

namespace kinoha {

inline constexpr const wchar_t* kVersionCaption = L"Kinoha バージョン情報 VB6用";
// The author, contact and copyright come from the build, as the version does.
inline constexpr const wchar_t* kAuthorName = KINOHA_AUTHOR;
inline constexpr const wchar_t* kContactAddress = KINOHA_CONTACT;
inline constexpr const wchar_t* kCopyrightNotice = KINOHA_COPYRIGHT;

// What the link shows and what a click on it opens.
struct HomePageLink {
    std::wstring text;
    std::wstring target;
};

// The link for a home page address: the address itself; with none (the project has no public
// home page), the help document shipped beside the program, so the link never leads to a blank
// page.
HomePageLink HomePageLinkFor(const std::wstring& address);
// The link for the address the build sets.
HomePageLink BuiltHomePageLink();

// The text block, eight lines each ended by CR LF. The home page address is not in it: the link
// stands on the sixth line, six full-width characters in.
std::wstring VersionBlockText();

// The block's line and column (0-based, in full-width character cells) where the link starts.
inline constexpr int kLinkLine = 5;
inline constexpr int kLinkColumn = 6;

// Half-width character cells of the 9-point font across the window's client area (4380 twips,
// 90 twips a cell): every line of the block, and the link after its six full-width characters,
// stays inside.
inline constexpr int kClientCells = 48;
// Cells a text takes: one for an ASCII or half-width katakana character, two for any other.
int TextCells(const std::wstring& text);

}  // namespace kinoha
