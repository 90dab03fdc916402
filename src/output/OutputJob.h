#pragma once
// One output as its owner hands it down: the design as it stands and how it is to be drawn. The
// window builds it from its controls once per output, the command line from a loaded file, the
// tests directly; nothing below reads a control or the window's record while it draws.
#include <optional>
#include <string>

#include "model/DataUnit.h"
#include "output/Imposition.h"

namespace orv {

struct OutputJob {
    // The design with its memorial and imposition lists and its month pictures.
    TData Design;
    // The sheet's size and print position in millimetres, as the size and position edits read.
    int SizeX = 0;
    int SizeY = 0;
    MmPoint Position;
    // The preview's zoom in percent; prints and exports draw at 100.
    int Zoom = 100;
    // What the user calls the design (its file's name without folder and extension), for the
    // title of a PDF or a print job; empty when nothing names it.
    std::string Name;
    // Set: the sheet is a run's cover with this title instead of a month (no imposition).
    std::optional<std::string> CoverTitle;
};

// A run's cover: its picture (empty: the design's own) and its title.
struct CoverPage {
    std::string Picture;
    std::string Title;
};

// The job of a run's cover: the cover's picture filling its box (the design's own keeps its
// crop), the title.
OutputJob CoverJob(const OutputJob& job, const CoverPage& cover);

// The job of a design as it was loaded: its own size and print position.
OutputJob JobOfDesign(TData design, int zoom = 100);

// The title of the job's PDF or print job: its name and the months it shows, 「家族カレンダー
// 2027年1月」, 「家族カレンダー 2027年1月–12月」, 「… 2027年4月–2028年3月」.
std::string JobTitle(const OutputJob& job, int months = 1);

// The job with its design shown in another month; imposition entries keep their months
// relative to it.
OutputJob JobInMonth(const OutputJob& job, YearMonth month);

}  // namespace orv
