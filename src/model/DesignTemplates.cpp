#include "model/DesignTemplates.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace orv {

namespace {

// "01-A4写真カレンダー" is shown as 「A4写真カレンダー」.
std::string TitleOf(const std::filesystem::path& path) {
    std::string stem = path.stem().string();
    if (stem.size() > 3 && std::isdigit(static_cast<unsigned char>(stem[0])) &&
        std::isdigit(static_cast<unsigned char>(stem[1])) && stem[2] == '-') {
        stem.erase(0, 3);
    }
    return stem;
}

}  // namespace

std::vector<DesignTemplate> FindTemplates(const std::vector<std::string>& folders) {
    std::vector<DesignTemplate> found;
    for (const std::string& folder : folders) {
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            std::error_code ignored;
            if (entry.path().extension() == ".sav" && entry.is_regular_file(ignored)) {
                files.push_back(entry.path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const std::filesystem::path& file : files) {
            DesignTemplate entry{file.string(), TitleOf(file)};
            const auto same =
                std::find_if(found.begin(), found.end(), [&](const DesignTemplate& t) {
                    return std::filesystem::path(t.Path).filename() == file.filename();
                });
            if (same != found.end()) {
                *same = std::move(entry);
            } else {
                found.push_back(std::move(entry));
            }
        }
    }
    return found;
}

bool LoadTemplate(const std::string& path, CivilDate today, TData& design, MessageSink& sink) {
    TData loaded = NewDesign();
    if (!loaded.LoadFromFile(path, sink)) return false;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const auto beside = [&folder](std::string& file) {
        if (!file.empty() && std::filesystem::path(file).is_relative()) {
            file = (folder / file).lexically_normal().string();
        }
    };
    beside(loaded.PictureFile);
    for (int month = 1; month <= 12; ++month) {
        std::string file = loaded.MonthPicture[month];
        beside(file);
        loaded.MonthPicture.Set(month, file);
    }
    if (loaded.Month < 1 || loaded.Month > 12) loaded.Month = today.Month;
    loaded.Year = loaded.Month >= today.Month ? today.Year : today.Year + 1;
    loaded.FileName.clear();
    design = std::move(loaded);
    return true;
}

}  // namespace orv
