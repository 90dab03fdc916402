#include "output/OutputWarnings.h"

#include <cmath>
#include <filesystem>

#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/PictureFraming.h"
#include "render/DrawCalendar.h"

namespace orv {

void WarnOfUnusablePictures(const PlacedLayout& layout, const PictureDecoder* decoder,
                            MessageSink& sink, std::set<std::string>* said) {
    std::set<std::string> here;
    std::set<std::string>& named = said != nullptr ? *said : here;
    std::set<std::string> checked;
    for (const PlacedCalendar& calendar : layout.Calendars) {
        const std::string& file = CalendarPictureFile(calendar.Design);
        if (file.empty() || named.contains(file) || !checked.insert(file).second) continue;
        std::string reason = NotRegularFileReason(file);
        if (reason.empty() && decoder != nullptr) {
            const auto decoded = decoder->DecodeShared(file);
            if (!decoded || decoded->Empty()) reason = "画像として読み込めません";
        }
        if (reason.empty()) continue;
        named.insert(file);
        sink.Report(MessageKind::Warning,
                    "画像を読み込めないため、画像なしで出力しました。\r\n" + file + ": " + reason);
    }
}

void WarnOfCoarsePictures(const std::vector<PictureSpot>& spots, MessageSink& sink,
                          std::set<std::string>* said) {
    std::set<std::string> here;
    std::set<std::string>& named = said != nullptr ? *said : here;
    for (const PictureSpot& spot : spots) {
        const double dpi = EffectiveDpi(spot.Framing, spot.PictureWidth, spot.PictureHeight,
                                        spot.WidthMm, spot.HeightMm);
        const std::string key = "dpi " + spot.File;
        if (!(dpi > 0 && dpi < kLowPictureDpi) || !named.insert(key).second) continue;
        sink.Report(MessageKind::Warning,
                    "画像「" + std::filesystem::path(spot.File).filename().string() +
                        "」は紙の上で約 " + std::to_string(static_cast<int>(std::lround(dpi))) +
                        " dpi です。" + std::to_string(kLowPictureDpi) +
                        " dpi 未満のため、印刷すると粗く見えます。\r\n" + spot.File);
    }
}

void WarnOfMissingAlmanacData(const PlacedLayout& layout, const RenderState& state,
                              MessageSink& sink, std::set<std::string>* said) {
    std::set<std::string> here;
    std::set<std::string>& named = said != nullptr ? *said : here;
    for (const PlacedCalendar& calendar : layout.Calendars) {
        const TData& d = calendar.Design;
        if (d.Rokuyo == 0 && d.Nijusisekki == 0 && d.OldDate == 0) continue;
        if (d.Month < 1 || d.Month > 12) continue;
        const std::string year = std::to_string(d.Year);
        const std::string month = year + " 年 " + std::to_string(d.Month) + " 月";
        if (named.contains(year) || named.contains(month)) continue;
        const int days = DaysInMonth(d.Year, d.Month);
        int covered = 0;
        for (int day = 1; day <= days; ++day) {
            covered +=
                state.RokuyoList.NamesOnDate(CivilDate{d.Year, d.Month, day}).empty() ? 0 : 1;
        }
        if (covered == days) continue;
        // None for the month: a file empty, damaged or made for other years.
        named.insert(covered == 0 ? year : month);
        sink.Report(
            MessageKind::Warning,
            covered == 0
                ? "旧暦データに " + year +
                      " 年の六曜・二十四節気・旧暦の日付がないため、表示せずに出力しました。"
                : "旧暦データの " + month +
                      " に六曜・二十四節気・旧暦の日付のない日があるため、その日は表示せずに出力し"
                      "ました。");
    }
}

}  // namespace orv
