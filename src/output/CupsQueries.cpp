#include "output/CupsQueries.h"

#include <cups/cups.h>
#include <cups/ppd.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "output/PrintTarget.h"

namespace orv {

namespace {

DotPair FromIpp(cups_dest_t* dest) {
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (info == nullptr) return {};
    DotPair result;
    ipp_attribute_t* attribute =
        cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution");
    if (attribute != nullptr && ippGetValueTag(attribute) == IPP_TAG_RESOLUTION) {
        ipp_res_t units = IPP_RES_PER_INCH;
        int y = 0;
        int x = ippGetResolution(attribute, 0, &y, &units);
        if (units == IPP_RES_PER_CM) {
            x = static_cast<int>(std::lround(x * 2.54));
            y = static_cast<int>(std::lround(y * 2.54));
        }
        if (x > 0 && y > 0) result = {x, y};
    }
    cupsFreeDestInfo(info);
    return result;
}

// Older drivers keep their default resolution only in the PPD, whose interface CUPS marks as
// deprecated.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
DotPair FromPpd(const std::string& printer) {
    const char* file = cupsGetPPD(printer.c_str());
    if (file == nullptr) return {};
    const std::string path = file;
    DotPair result;
    if (ppd_file_t* ppd = ppdOpenFile(path.c_str())) {
        ppdMarkDefaults(ppd);
        if (ppd_choice_t* choice = ppdFindMarkedChoice(ppd, "Resolution")) {
            result = ParseResolutionOption(choice->choice);
        }
        if (result.X <= 0) {
            if (ppd_attr_t* attr = ppdFindAttr(ppd, "DefaultResolution", nullptr)) {
                if (attr->value != nullptr) result = ParseResolutionOption(attr->value);
            }
        }
        ppdClose(ppd);
    }
    unlink(path.c_str());
    return result;
}
#pragma GCC diagnostic pop

}  // namespace

std::string RejectingQueueText(const std::string& printer, const std::string& reason) {
    return "プリンタ「" + printer + "」は印刷を受け付けていません" +
           (reason.empty() ? std::string() : "（" + reason + "）") +
           "。\r\nプリンタの管理者に確かめてください。";
}

std::string PausedQueueText(const std::string& printer, const std::string& reason) {
    return "プリンタ「" + printer + "」は一時停止しています" +
           (reason.empty() ? std::string() : "（" + reason + "）") +
           "。\r\n印刷はプリンタのキューで待っていて、再開すると印刷されます。";
}

DotPair ParseResolutionOption(const std::string& text) {
    int x = 0;
    int y = 0;
    char rest[8] = {};
    if (std::sscanf(text.c_str(), "%dx%d%7s", &x, &y, rest) == 3) {
        // "600x600dpi"
    } else if (std::sscanf(text.c_str(), "%d%7s", &x, rest) == 2) {
        y = x;
    } else {
        return {};
    }
    if (std::string(rest) != "dpi" || x <= 0 || y <= 0) return {};
    return {x, y};
}

DotPair CupsDefaultResolution(const std::string& printer) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.c_str(), nullptr);
    if (dest == nullptr) return {};
    DotPair result;
    if (const char* chosen = cupsGetOption("Resolution", dest->num_options, dest->options)) {
        result = ParseResolutionOption(chosen);
    }
    if (result.X <= 0) result = FromIpp(dest);
    cupsFreeDests(1, dest);
    if (result.X <= 0) result = FromPpd(printer);
    return result;
}

CupsQueueState CupsQueue(const std::string& printer) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", printer.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const kAsked[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(kAsked), nullptr, kAsked);
    CupsQueueState state;
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (response == nullptr) return state;
    if (ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
            state.Accepting = ippGetBoolean(a, 0) != 0;
        }
        if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM)) {
            state.Paused = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
        }
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-state-message", IPP_TAG_ZERO)) {
            // CUPS' own words for a queue stopped without a reason say nothing more than we do.
            const char* text = ippGetString(a, 0, nullptr);
            if (text != nullptr && std::string_view(text) != "Paused" &&
                std::string_view(text) != "Rejecting Jobs") {
                state.Message = text;
            }
        }
    }
    ippDelete(response);
    return state;
}

int CupsSubmitPdf(const std::string& printer, const std::string& file, const std::string& title,
                  const CupsOptions& options) {
    int count = 0;
    cups_option_t* list = nullptr;
    for (const auto& [name, value] : options) {
        count = cupsAddOption(name.c_str(), value.c_str(), count, &list);
    }
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.c_str(), file.c_str(), title.c_str(),
                                   count, list);
    cupsFreeOptions(count, list);
    if (job <= 0) {
        const std::string reason = cupsLastErrorString();
        const CupsQueueState queue = CupsQueue(printer);
        if (!queue.Accepting) throw PrinterError(RejectingQueueText(printer, queue.Message));
        throw PrinterError("プリンタ「" + printer + "」が印刷を受け付けませんでした（" + reason +
                           "）。");
    }
    return job;
}

}  // namespace orv
