#include "info/version_window.h"

#include "info/version_text.h"

namespace kinoha {

void VersionWindow::Load() {
    view_.SetText(VersionBlockText());
    view_.SetLinkText(BuiltHomePageLink().text);
    view_.SetLinkColour(kLinkBlue);
    view_.SetCaption(kVersionCaption);
    view_.RemoveCloseMenu();
}

void VersionWindow::LinkMouseMove() {
    view_.SetLinkColour(kLinkCyan);
}

void VersionWindow::TextMouseMove() {
    view_.SetLinkColour(kLinkBlue);
}

void VersionWindow::LinkClick() {
    view_.SetLinkColour(kLinkBlue);
    view_.OpenHomePage(BuiltHomePageLink().target);
}

void VersionWindow::OkClick() {
    view_.Unload();
}

}  // namespace kinoha
