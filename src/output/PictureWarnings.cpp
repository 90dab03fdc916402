#include "output/PictureWarnings.h"

#include "model/AtomicFile.h"
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

}  // namespace orv
