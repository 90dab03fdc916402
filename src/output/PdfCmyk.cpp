#include "output/PdfCmyk.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>

#include "output/PrintTarget.h"

namespace orv {

namespace {

// PostScript's string syntax: backslashes and parentheses escaped.
std::string PsString(const std::string& text) {
    std::string quoted = "(";
    for (char c : text) {
        if (c == '\\' || c == '(' || c == ')') quoted += '\\';
        quoted += c;
    }
    return quoted + ")";
}

// The PDF/X part Ghostscript cannot know: the file's title and its output intent.
std::string PdfxDefinition(const std::string& title, const std::string& profile) {
    return "%!\n"
           "[ /GTS_PDFXVersion (PDF/X-3:2002) /Title " +
           PsString(title) +
           " /Trapped /False /DOCINFO pdfmark\n"
           "[/_objdef {icc_PDFX} /type /stream /OBJ pdfmark\n"
           "[{icc_PDFX} << /N 4 >> /PUT pdfmark\n"
           "[{icc_PDFX} " +
           PsString(profile) +
           " (r) file /PUT pdfmark\n"
           "[/_objdef {OutputIntent_PDFX} /type /dict /OBJ pdfmark\n"
           "[{OutputIntent_PDFX} << /Type /OutputIntent /S /GTS_PDFX\n"
           "  /OutputCondition (Commercial and specialty printing)\n"
           "  /OutputConditionIdentifier (CGATS TR 001) /RegistryName (http://www.color.org)\n"
           "  /Info (U.S. Web Coated \\(SWOP\\) v2) /DestOutputProfile {icc_PDFX} >> /PUT pdfmark\n"
           "[{Catalog} << /OutputIntents [ {OutputIntent_PDFX} ] >> /PUT pdfmark\n";
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        throw PrinterError(path + ": " + file.errorString().toStdString());
    }
}

// The press's profile that the conversion uses and the file names as its output intent: the one
// CMYK profile Debian ships, with Ghostscript.
constexpr const char* kCmykProfile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";

}  // namespace

void FinishCmykPdf(const std::string& qtPdf, const PdfSheet& sheet, const PdfPictures& pictures,
                   const std::string& title, StagedFile& out,
                   const std::function<bool()>& keepGoing) {
    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    const std::string profile = kCmykProfile;
    std::error_code ignored;
    if (gs.isEmpty() || !std::filesystem::is_regular_file(profile, ignored)) {
        throw PrinterError(out.Target() +
                           ": CMYK の PDF を作るには Ghostscript（gs）が必要です。"
                           "ghostscript を入れてからもう一度お試しください。");
    }
    QTemporaryDir folder;
    if (!folder.isValid()) throw PrinterError(out.Target() + ": 作業用のフォルダを作れません。");
    const std::string rgb = folder.filePath(QStringLiteral("rgb.pdf")).toStdString();
    const std::string cmyk = folder.filePath(QStringLiteral("cmyk.pdf")).toStdString();
    const std::string definition = folder.filePath(QStringLiteral("pdfx.ps")).toStdString();
    {
        StagedFile finished(rgb);
        FinishPdf(qtPdf, sheet, pictures, finished, PdfInk::BlackInkGreys);
        finished.Commit();
    }
    WriteWhole(definition, PdfxDefinition(title, profile));

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString profileArg = QString::fromStdString(profile);
    process.start(gs,
                  {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
                   QStringLiteral("-dSAFER"), QStringLiteral("--permit-file-read=") + profileArg,
                   QStringLiteral("-sDEVICE=pdfwrite"), QStringLiteral("-dPDFX=true"),
                   QStringLiteral("-sColorConversionStrategy=CMYK"),
                   QStringLiteral("-sProcessColorModel=DeviceCMYK"),
                   QStringLiteral("-sOutputICCProfile=") + profileArg,
                   // Pictures keep their pixels.
                   QStringLiteral("-dDownsampleColorImages=false"),
                   QStringLiteral("-dDownsampleGrayImages=false"),
                   QStringLiteral("-sOutputFile=") + QString::fromStdString(cmyk),
                   QString::fromStdString(definition), QString::fromStdString(rgb)});
    if (!process.waitForStarted(30000)) {
        throw PrinterError(out.Target() + ": Ghostscript を起動できませんでした。");
    }
    // A year of large photos takes Ghostscript most of a minute: the one who waits may stop it.
    if (!keepGoing) process.waitForFinished(-1);
    while (keepGoing && process.state() != QProcess::NotRunning) {
        if (!keepGoing()) {
            process.kill();
            process.waitForFinished(-1);
            throw JobCancelled();
        }
        process.waitForFinished(100);
    }
    const std::string said = process.readAll().trimmed().toStdString();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        throw PrinterError(out.Target() + ": Ghostscript で CMYK に変換できませんでした。" +
                           (said.empty() ? std::string() : "\n" + said));
    }
    QFile converted(QString::fromStdString(cmyk));
    if (!converted.open(QIODevice::ReadOnly)) {
        throw PrinterError(out.Target() + ": Ghostscript の結果を読めませんでした。");
    }
    // Ghostscript makes its own page boxes; the exact ones are set again.
    const QByteArray bytes = converted.readAll();
    RestorePageBoxes(std::string(bytes.constData(), static_cast<size_t>(bytes.size())), sheet, out);
}

}  // namespace orv
