#include "output/PdfFinishing.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "output/PdfBlackInk.h"
#include "model/Errors.h"

namespace orv {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kMarkLengthMm = 10.0;
constexpr double kMarkRoomMm = kMarkLengthMm + 2.0;
constexpr double kMarkLineMm = 0.1;

// QPDFWriter's bytes into the staged file.
class StagedPipeline : public Pipeline {
  public:
    explicit StagedPipeline(StagedFile& file) : Pipeline("staged file", nullptr), file_(file) {}
    void write(unsigned char const* data, size_t len) override { file_.Append(data, len); }
    void finish() override {}

  private:
    StagedFile& file_;
};

// A picture's bytes, produced only when the writer gets to them.
class PictureData : public QPDFObjectHandle::StreamDataProvider {
  public:
    explicit PictureData(const PdfPictures::Picture& picture) : picture_(picture) {}
    void provideStreamData(QPDFObjGen const&, Pipeline* pipeline) override {
        if (!picture_.JpegFile.empty()) {
            std::ifstream in(picture_.JpegFile, std::ios::binary);
            char buffer[1 << 16];
            while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
                pipeline->write(reinterpret_cast<unsigned char*>(buffer),
                                static_cast<size_t>(in.gcount()));
            }
            if (in.bad()) throw Error(picture_.JpegFile + ": 画像を読めませんでした。");
        } else {
            const Bitmap& bitmap = *picture_.Pixels;
            std::string row;
            for (int y = 0; y < bitmap.Height; ++y) {
                row.clear();
                for (int x = 0; x < bitmap.Width; ++x) {
                    const uint32_t p = bitmap.At(x, y);
                    if (picture_.Components == 1) {
                        row += static_cast<char>(p & 0xFF);
                    } else {
                        row += static_cast<char>((p >> 16) & 0xFF);
                        row += static_cast<char>((p >> 8) & 0xFF);
                        row += static_cast<char>(p & 0xFF);
                    }
                }
                pipeline->write(reinterpret_cast<const unsigned char*>(row.data()), row.size());
            }
        }
        pipeline->finish();
    }

  private:
    const PdfPictures::Picture& picture_;
};

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

QPDFObjectHandle Box(double left, double bottom, double right, double top) {
    return QPDFObjectHandle::newFromRectangle({left, bottom, right, top});
}

// Registration colour: every ink of the press, the tint drawn as grey where there are no inks.
QPDFObjectHandle RegistrationSpace() {
    QPDFObjectHandle function =
        QPDFObjectHandle::parse("<< /FunctionType 2 /Domain [0 1] /C0 [1] /C1 [0] /N 1 >>");
    QPDFObjectHandle space = QPDFObjectHandle::newArray();
    space.appendItem(QPDFObjectHandle::newName("/Separation"));
    space.appendItem(QPDFObjectHandle::newName("/All"));
    space.appendItem(QPDFObjectHandle::newName("/DeviceGray"));
    space.appendItem(function);
    return space;
}

struct Segment {
    double X0, Y0, X1, Y1;
};

bool Crosses(const Segment& s, double left, double bottom, double right, double top) {
    const double x0 = std::min(s.X0, s.X1), x1 = std::max(s.X0, s.X1);
    const double y0 = std::min(s.Y0, s.Y1), y1 = std::max(s.Y0, s.Y1);
    return x0 < right && x1 > left && y0 < top && y1 > bottom;
}

// The marks of one calendar whose trim is left..right, bottom..top (PDF points): at each corner
// two lines each way, at the trim (内トンボ) and at `outer` past it (外トンボ), and a cross at the
// middle of each side, all outside the bleed.
void AddMarks(std::vector<Segment>& marks, double left, double bottom, double right, double top,
              double outer) {
    const double length = kMarkLengthMm * kPointsPerMm;
    const double far = outer + length;
    for (const double x : {left, right}) {
        const double out = x == left ? -1 : 1;
        for (const double y : {bottom, top}) {
            const double up = y == bottom ? -1 : 1;
            for (const double at : {0.0, outer}) {
                marks.push_back({x + out * outer, y + up * at, x + out * far, y + up * at});
                marks.push_back({x + out * at, y + up * outer, x + out * at, y + up * far});
            }
        }
    }
    const double cx = (left + right) / 2;
    const double cy = (bottom + top) / 2;
    const double half = length / 2;
    const double bar = outer + length * 0.6;
    for (const double y : {bottom, top}) {
        const double up = y == bottom ? -1 : 1;
        marks.push_back({cx, y + up * outer, cx, y + up * far});
        marks.push_back({cx - half, y + up * bar, cx + half, y + up * bar});
    }
    for (const double x : {left, right}) {
        const double out = x == left ? -1 : 1;
        marks.push_back({x + out * outer, cy, x + out * far, cy});
        marks.push_back({x + out * bar, cy - half, x + out * bar, cy + half});
    }
}

std::string MarksContent(const PdfSheet& sheet, double margin) {
    const double outer = std::max(sheet.Bleed, kStandardBleedMm * kPointsPerMm);
    const double topOfTrim = margin + sheet.Trim.Height;
    std::vector<PointRect> calendars = sheet.Calendars;
    if (calendars.empty()) calendars.push_back({0, 0, sheet.Trim.Width, sheet.Trim.Height});
    std::vector<Segment> marks;
    for (const PointRect& c : calendars) {
        AddMarks(marks, margin + c.Left, topOfTrim - c.Top - c.Height, margin + c.Left + c.Width,
                 topOfTrim - c.Top, outer);
    }
    std::ostringstream content;
    content << "q /OrvAll CS 1 SCN " << Number(kMarkLineMm * kPointsPerMm) << " w 0 J [] 0 d\n";
    for (const Segment& s : marks) {
        // A mark of one calendar must not run into its neighbour on the same sheet.
        const bool inAnother =
            std::any_of(calendars.begin(), calendars.end(), [&](const PointRect& c) {
                return Crosses(
                    s, margin + c.Left - sheet.Bleed, topOfTrim - c.Top - c.Height - sheet.Bleed,
                    margin + c.Left + c.Width + sheet.Bleed, topOfTrim - c.Top + sheet.Bleed);
            });
        if (inAnother) continue;
        content << Number(s.X0) << ' ' << Number(s.Y0) << " m " << Number(s.X1) << ' '
                << Number(s.Y1) << " l S\n";
    }
    content << "Q\n";
    return content.str();
}

QPDFObjectHandle DictionaryIn(QPDFObjectHandle holder, const char* key) {
    QPDFObjectHandle found = holder.getKey(key);
    if (!found.isDictionary()) {
        found = QPDFObjectHandle::newDictionary();
        holder.replaceKey(key, found);
    }
    return found;
}

void PutPictures(QPDFPageObjectHelper& page, const PdfPictures& pictures,
                 std::set<QPDFObjGen>& done) {
    for (auto& [name, image] : page.getImages()) {
        if (done.count(image.getObjGen()) != 0) continue;
        QPDFObjectHandle dict = image.getDict();
        if (!dict.getKey("/Width").isInteger() || dict.getKey("/Width").getIntValue() != 8 ||
            !dict.getKey("/Height").isInteger() || dict.getKey("/Height").getIntValue() != 1) {
            continue;
        }
        const std::shared_ptr<Buffer> data = image.getStreamData(qpdf_dl_generalized);
        const PdfPictures::Picture* picture = pictures.Named(
            std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()));
        if (picture == nullptr) continue;
        done.insert(image.getObjGen());
        for (const char* key : {"/SMask", "/Mask", "/Decode", "/DecodeParms", "/Filter"})
            dict.removeKey(key);
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(picture->Width));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(picture->Height));
        dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
        dict.replaceKey(
            "/ColorSpace",
            QPDFObjectHandle::newName(picture->Components == 1 ? "/DeviceGray" : "/DeviceRGB"));
        image.replaceStreamData(std::make_shared<PictureData>(*picture),
                                picture->JpegFile.empty() ? QPDFObjectHandle::newNull()
                                                          : QPDFObjectHandle::newName("/DCTDecode"),
                                QPDFObjectHandle::newNull());
    }
}

void SetBoxes(QPDFObjectHandle page, const PdfSheet& sheet) {
    const double m = PdfPageMargin(sheet);
    const double w = sheet.Trim.Width;
    const double h = sheet.Trim.Height;
    const double b = sheet.Bleed;
    page.replaceKey("/MediaBox", Box(0, 0, w + 2 * m, h + 2 * m));
    page.replaceKey("/TrimBox", Box(m, m, m + w, m + h));
    page.replaceKey("/BleedBox", Box(m - b, m - b, m + w + b, m + h + b));
    page.removeKey("/CropBox");
    page.removeKey("/ArtBox");
}

void Write(QPDF& pdf, StagedFile& out) {
    QPDFWriter writer(pdf);
    StagedPipeline pipeline(out);
    writer.setOutputPipeline(&pipeline);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(true);
    writer.write();
}

// qpdf's own exceptions as the printer's error, naming the file.
template <typename Work>
void Guarded(StagedFile& out, Work&& work) {
    try {
        work();
    } catch (const orv::Error&) {
        throw;
    } catch (const std::exception& e) {
        throw Error(out.Target() + ": PDF を仕上げられませんでした（" + e.what() + "）。");
    }
}

}  // namespace

double PdfPageMargin(const PdfSheet& sheet) {
    if (!sheet.Marks) return sheet.Bleed;
    return std::max(sheet.Bleed, kStandardBleedMm * kPointsPerMm) + kMarkRoomMm * kPointsPerMm;
}

void FinishPdf(const std::string& qtPdf, const PdfSheet& sheet, const PdfPictures& pictures,
               StagedFile& out, PdfInk ink) {
    Guarded(out, [&] {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(out.Target().c_str(), qtPdf.data(), qtPdf.size());
        const double m = PdfPageMargin(sheet);
        const double dx = m - sheet.Trim.Left;
        const double dy = m + sheet.Trim.Height - (sheet.PageHeight - sheet.Trim.Top);
        std::set<QPDFObjGen> done;
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            PutPictures(page, pictures, done);
            if (sheet.KeepPage) continue;
            QPDFObjectHandle object = page.getObjectHandle();
            SetBoxes(object, sheet);
            page.addPageContents(
                pdf.newStream("q 1 0 0 1 " + Number(dx) + ' ' + Number(dy) + " cm\n"), true);
            std::string after = "Q\n";
            if (sheet.Marks) {
                QPDFObjectHandle resources = page.getAttribute("/Resources", true);
                if (!resources.isDictionary()) resources = DictionaryIn(object, "/Resources");
                DictionaryIn(resources, "/ColorSpace").replaceKey("/OrvAll", RegistrationSpace());
                after += MarksContent(sheet, m);
            }
            page.addPageContents(pdf.newStream(after), false);
            if (ink == PdfInk::BlackInkGreys) DrawGreysInBlackInk(page);
        }
        Write(pdf, out);
    });
}

void RestorePageBoxes(const std::string& bytes, const PdfSheet& sheet, StagedFile& out) {
    Guarded(out, [&] {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile(out.Target().c_str(), bytes.data(), bytes.size());
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
            SetBoxes(page.getObjectHandle(), sheet);
        Write(pdf, out);
    });
}

}  // namespace orv
