// What the version window shows: the product's names and addresses and its eight-line text
// block.
#pragma once

#include <string>

namespace kinoha {

inline constexpr const wchar_t* kVersionCaption = L"Kinoha バージョン情報 VB6用";
inline constexpr const wchar_t* kAuthorName = L"Kinoha 開発チーム";
inline constexpr const wchar_t* kContactAddress = L"kinoha@example.org";
inline constexpr const wchar_t* kHomePageAddress = L"https://kinoha.example.org/";
inline constexpr const wchar_t* kCopyrightNotice = L"Copyright (C) 2026 Kinoha 開発チーム";

// The text block, eight lines each ended by CR LF. The home page address is not in it: the link
// stands on the sixth line, six full-width characters in.
std::wstring VersionBlockText();

// The block's line and column (0-based, in full-width character cells) where the link starts.
inline constexpr int kLinkLine = 5;
inline constexpr int kLinkColumn = 6;

}  // namespace kinoha
