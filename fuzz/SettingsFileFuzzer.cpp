// Settings files (.sav and the auto-save file) as users hand-edit and exchange them: the INI
// parse of the decoded text, then the whole record load with its lists, the checks the window
// makes and the list look-ups the renderer makes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ScratchFile.h"
#include "model/Codec.h"
#include "model/DataUnit.h"
#include "model/IniFile.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // What we write must read back as the same file.
    const std::string text = Cp932ToUtf8(bytes);
    const std::string once = IniFile::Parse(text).Serialize();
    if (IniFile::Parse(once).Serialize() != once) std::abort();

    static const fuzz::ScratchFile file(".sav");
    NullMessageSink sink;
    TData design = NewDesign();
    if (design.LoadFromFile(file.Write(data, size), sink)) CheckLoadedFile(design, sink);

    for (int i = 0; i < design.Memorials.Count(); ++i) {
        design.Memorials.FindByDate(design.Memorials.Items(i).Date);
    }
    design.Memorials.AppliesTo({2016, 2, 29});
    design.Matrixs.FindByNumber(1);
    TData copy;
    copy.CopyFrom(design);
    return 0;
}
