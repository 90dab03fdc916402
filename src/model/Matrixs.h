#pragma once
// The imposition list: extra calendars put on one sheet after the window's design, each with a
// month offset and optionally its own picture and settings file.
#include <cstdint>
#include <deque>
#include <string>

#include "model/MessageSink.h"
#include "model/PictureFraming.h"

namespace orv {

struct TMatrix {
    std::string Key;        // "key<n>", given by TMatrixs::Add
    int32_t Number = 0;     // 1-based place in the list; the driver finds entries by it
    int32_t MonthOffset = 0;
    std::string ImageFile;   // empty keeps the design's picture
    std::string ConfigFile;  // empty keeps the window's design
    PictureFraming Framing;  // of ImageFile; kept in [PictureFraming], not in the entry's value

    // Copies Number, MonthOffset, ImageFile, ConfigFile and Framing; not Key.
    void Assign(const TMatrix& source);
    // MonthOffset "," ImageFile "," ConfigFile, nothing quoted.
    std::string GetProperty() const;
    // Reads such a value text; a failure is reported as "TMatrix.SetProperty ｴﾗｰ" through `sink`
    // and what was read before it stays.
    void SetProperty(const std::string& text, MessageSink& sink);
};

class TMatrixs {
public:
    // Appends an entry with the next running key. The reference stays valid until the entry is
    // deleted or the list cleared.
    TMatrix& Add();
    TMatrix& Items(int index) { return items_[index]; }
    const TMatrix& Items(int index) const { return items_[index]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Delete(int index);
    // Empties the list; the running key number goes on counting.
    void Clear();
    // Replaces the entries by copies of the source's, with fresh keys.
    void Assign(const TMatrixs& source);
    // The first entry whose Number is n, or nullptr.
    TMatrix* FindByNumber(int n);
    const TMatrix* FindByNumber(int n) const;

    int NextKeyNumber() const { return nextKeyNumber_; }

private:
    std::deque<TMatrix> items_;
    int nextKeyNumber_ = 1;
};

}  // namespace orv
