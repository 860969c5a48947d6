// The version window's behaviour: its texts, the link's colours and what a click on the link or
// on "OK" does. The Win32 window forwards its events here and applies what is decided through
// VersionWindowView.
#pragma once

#include <cstdint>
#include <string>

namespace kinoha {

// Link colours as 0xRRGGBB.
inline constexpr std::uint32_t kLinkBlue = 0x0000FF;
inline constexpr std::uint32_t kLinkCyan = 0x00FFFF;

class VersionWindowView {
  public:
    virtual ~VersionWindowView() = default;
    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual void SetText(const std::wstring& block) = 0;
    virtual void SetLinkText(const std::wstring& address) = 0;
    virtual void SetLinkColour(std::uint32_t rgb) = 0;
    // Takes the Close command off the window's system menu: the title bar cannot close it.
    virtual void RemoveCloseMenu() = 0;
    virtual void OpenHomePage(const std::wstring& address) = 0;
    virtual void Unload() = 0;
};

class VersionWindow {
  public:
    explicit VersionWindow(VersionWindowView& view) : view_(view) {}

    void Load();
    void LinkMouseMove();  // over the link: cyan
    void TextMouseMove();  // over the rest of the window: blue again
    void LinkClick();
    void OkClick();

  private:
    VersionWindowView& view_;
};

}  // namespace kinoha
