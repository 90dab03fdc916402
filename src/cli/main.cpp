// orvalinden-cli: the headless front end over the same model, renderer and driver as the window.
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "cli/StderrSink.h"
#include "model/ProgramVersion.h"

namespace orv::cli {

namespace {

const Command kCommands[] = {
    {"resave", "IN.sav OUT.sav", "デザインを読み込んで保存し直します", RunResave},
    {"holidays", "FROM_YEAR TO_YEAR | --check FILE.csv",
     "その年々の国民の祝日・休日を一覧にします。--check では内閣府の「国民の祝日・休日月日」\n"
     "      （syukujitsu.csv、Shift_JIS か UTF-8）とプログラムの祝日の違いを一日一行で示します\n"
     "      （違いがなければ終了ステータス 0、あれば 1）",
     RunHolidays},
    {"day", "[--oldcal FILE] YYYY-MM-DD...",
     "その日の祝日、元号、六曜、二十四節気、旧暦の日付、雑節、月齢を表示します\n"
     "      （旧暦データは FILE から、なければいつもの場所から読みます）",
     RunDay},
    {"oldcal", "FROM_YEAR TO_YEAR [-o FILE]",
     "その年々（1800〜2200 年）の六曜、二十四節気、旧暦の日付、雑節、月齢を計算して\n"
     "      旧暦データファイルに書きます。FILE を省くと今のフォルダの 旧暦.ini、- なら標準出力です",
     RunOldcal},
    {"import-memorials",
     "DESIGN.sav FILE.ics|FILE.vcf [--years FROM-TO] [--clash keep|replace|join]",
     "カレンダー（iCalendar）や連絡先（vCard）の誕生日・記念日・予定をデザインの記念日に\n"
     "      取り込みます。毎年の予定と誕生日は毎年の記念日に、一度だけの予定は FROM〜TO 年\n"
     "      （省くとデザインの月から 12 か月の年）のものだけです。すでに記念日のある日は\n"
     "      そのまま（keep、既定）、置き換え（replace）、¶ でつなぐ（join）から選べます",
     RunImportMemorials},
    {"export-memorials", "DESIGN.sav OUT.ics",
     "デザインの記念日を iCalendar の終日の予定に書き出します（毎年の記念日は毎年の繰り返し）",
     RunExportMemorials},
    {"export",
     "DESIGN.sav OUT.png|OUT.bmp|OUT.jpg|OUT.pdf [--dpi N] [--year Y --month M] [--months C]\n"
     "      [--cover [--cover-picture FILE] [--cover-title TEXT]] [--png-resolution] [--oldcal "
     "FILE]\n"
     "      [--bleed MM] [--marks] [--cmyk]",
     "デザインを、ウィンドウの画像保存（PNG、BMP、JPEG）や PDF への印刷と同じに書き出します。\n"
     "      N を省くとデザインが最後に使った解像度（なければ 300）です。\n"
     "      C か月（1〜120）をデザインの月か Y 年 M 月から書き出すと、PDF は 1 か月 1 ページ、\n"
     "      画像は 1 か月ごとに OUT-YYYY-MM.png（または .bmp、.jpg）になります。\n"
     "      JPEG は品質 95 で、解像度を JFIF の見出しに記します。\n"
     "      --cover は月の前に表紙（FILE かデザインの画像を枠いっぱいに、TEXT か年を題に）を\n"
     "      1 ページ付けます。画像なら OUT-cover.png です。\n"
     "      --png-resolution は PNG に解像度（pHYs）を記します（デザインの設定でも）。\n"
     "      入稿用の PDF: --bleed は塗り足し MM ミリ（ふつう 3）、--marks はトンボ、\n"
     "      --cmyk は CMYK の PDF/X-3（Ghostscript で変換）です",
     RunExport},
    {"print",
     "DESIGN.sav [--printer NAME] [--year Y --month M] [--months C] [--cover ...]\n"
     "      [--oldcal FILE]",
     "デザインを、ウィンドウの印刷と同じにプリンタ NAME（省くといつものプリンタ）で\n"
     "      印刷します。C か月なら、1 か月 1 ページの一つの印刷ジョブです",
     RunPrint},
};

void PrintHelp(std::FILE* out) {
    std::fprintf(out, "使い方: orvalinden-cli コマンド [引数]\n\nコマンド:\n");
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %s %s\n      %s\n", command.name, command.usage, command.summary);
    }
    std::fprintf(out,
                 "  --help\n      この説明を表示します\n"
                 "  --version\n      版を表示します\n");
}

}  // namespace

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

int UsageError(const Command& command) {
    std::fprintf(stderr, "使い方: orvalinden-cli %s %s\n", command.name, command.usage);
    return 2;
}

}  // namespace orv::cli

int main(int argc, char** argv) {
    using namespace orv::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvalinden-cli %s\n", orv::ProgramVersion());
        return 0;
    }
    const Command* command = FindCommand(argv[1]);
    if (command == nullptr) {
        std::fprintf(
            stderr,
            "orvalinden-cli: 「%s」というコマンドはありません（--help で一覧を表示します）\n",
            argv[1]);
        return 2;
    }
    StderrSink sink;
    return command->run(Arguments(argv + 2, argv + argc), sink);
}
