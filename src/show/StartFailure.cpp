#include "StartFailure.h"

namespace {

std::string WithFile(const char* first, const std::string& file, const char* last)
{
    return std::string(first) + "\n" + file + "\n" + last;
}

}  // namespace

std::string StartFailureText(StartFailure failure, const std::string& file)
{
    switch (failure) {
    case StartFailure::BackgroundUnreadable:
        return WithFile("背景の画像ファイルを読み込めません。", file, "ファイルを再指定して下さい。");
    case StartFailure::NoMemory:
        return "メモリが不足しているため、表示できません。\n"
               "他のアプリケーションを終了してから、もう一度お試しください。";
    case StartFailure::WindowNotMade:
        return "表示用のウィンドウを作成できません。";
    case StartFailure::NoOpenGl33:
        return "3Dの機種にはOpenGL 3.3が必要ですが、\n"
               "このコンピュータでは使えません。\n"
               "設定の機種を変更してください。";
    case StartFailure::NoWorkFolder:
        return "作業ファイルを置くフォルダに書き込めません。\n"
               "プログラムのフォルダか、\n"
               "ユーザーのアプリケーションデータのフォルダを\n"
               "書き込めるようにしてください。";
    case StartFailure::WorkFileUnwritable:
        return WithFile("作業ファイルに書き込めません。", file, "ファイルとフォルダの状態を確認してください。");
    case StartFailure::WorkFileUnreadable:
        return WithFile("作業ファイルを読み込めません。", file, "ファイルとフォルダの状態を確認してください。");
    case StartFailure::ModelUnreadable:
        return WithFile("機体のモデルファイルを読み込めません。", file, "ファイルとフォルダの状態を確認してください。");
    case StartFailure::PictureUnreadable:
        return "表示に使う画像を読み込めません。\nプログラムを再インストールしてください。";
    }
    return {};
}
