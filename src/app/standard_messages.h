// The messages that more than one command shows, each built in one place.
#pragma once

#include <string>

#include "app/message.h"

namespace kinoha {

// "ファイル無し": a file chosen from a list or menu is gone.
void ShowFileMissing(MessageSink& sink);

// "起動失敗": the VB executable could not be started; `project` adds its line when not empty.
void ShowStartFailed(MessageSink& sink, const std::wstring& vbMain,
                     const std::wstring& project = {});

}  // namespace kinoha
