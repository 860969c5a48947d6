#include "app/standard_messages.h"

namespace kinoha {

void ShowFileMissing(MessageSink& sink) {
    sink.ShowMessage(
        L"ファイル無し",
        JoinLines({L"指定したファイルが存在しません", L"ファイル名やディレクトリを修正した場合は、",
                   L"Kinoha を再起動して下さい"}),
        MessageIcon::Exclamation);
}

void ShowStartFailed(MessageSink& sink, const std::wstring& vbMain, const std::wstring& project) {
    std::wstring text =
        JoinLines({L"起動に失敗しました", L"パスを確認して下さい", L"ＶＢ本体：" + vbMain});
    if (!project.empty()) text += L"\r\nＰＲＪ名：" + project;
    sink.ShowMessage(L"起動失敗", text, MessageIcon::None);
}

}  // namespace kinoha
