#pragma once
// The texts the output layer shows, as the program has always shown them.
namespace orv {

// Status texts of long work; an empty text clears the status.
inline constexpr const char* kStatusPreview = "プレビュー作成中...";
inline constexpr const char* kStatusPrint = "印刷中...";
inline constexpr const char* kStatusImage = "イメージ作成中...";
inline constexpr const char* kStatusCmyk = "CMYK に変換中...";

// Every print job carries this title.

// Image export.
inline constexpr const char* kUnsupportedExtension = "対応していない拡張子です。";
inline constexpr const char* kFileSaveErrorHeading = "ﾌｧｲﾙ保存ｴﾗｰ";
inline constexpr const char* kSaved = "保存しました。";

// The resolution prompt of image export.
inline constexpr const char* kResolutionPromptCaption = "ｶﾚﾝﾀﾞｰを画像ﾌｧｲﾙに保存";
inline constexpr const char* kResolutionUnknown = "（解像度を取得できませんでした）";

}  // namespace orv
