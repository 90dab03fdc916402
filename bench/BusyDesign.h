// The busy sheet the window benchmarks measure: A4, miniatures, holidays, rokuyo, solar terms and
// twenty memorial days with their colours; the same sheet at A3 for the large exports.
#pragma once

#include <string>

#include "model/DataUnit.h"

namespace orv {

inline void WriteBusyDesign(const std::string& path, bool a3 = false) {
    TData design = NewDesign();
    design.SizeIndex = a3 ? 10 : 8;
    design.SizeX = a3 ? 297 : 210;
    design.SizeY = a3 ? 420 : 297;
    design.Year = 2026;
    design.Month = 5;
    design.PrevNextMonthEnabled = 1;
    design.Rokuyo = 1;
    design.Nijusisekki = 1;
    for (int day = 1; day <= 20; ++day) {
        TMemorial& memorial = design.Memorials.Add();
        memorial.Date = "0/5/" + std::to_string(day);
        memorial.Name = "記念日¶" + std::to_string(day);
        memorial.DayColor = 0x0000C0;
        memorial.FontColor = -1;
        memorial.BackColor = 0xE0F0FF;
    }
    NullMessageSink quiet;
    design.SaveToFile(path, quiet);
}

}  // namespace orv
