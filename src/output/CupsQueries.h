#pragma once
// What Qt Print Support does not tell about a CUPS printer, asked of CUPS directly.
#include <string>
#include <utility>
#include <vector>

#include "output/PrintTarget.h"

namespace orv {

using CupsOptions = std::vector<std::pair<std::string, std::string>>;

// The printer's default resolution in dots per inch, or 0 x 0 when CUPS does not say.
DotPair CupsDefaultResolution(const std::string& printer);

// "300dpi", "600x600dpi", "1200x600dpi" as dots per inch; 0 x 0 for anything else.
DotPair ParseResolutionOption(const std::string& text);

// What the queue of a printer says of itself; a queue CUPS does not answer for reads as ready.
struct CupsQueueState {
    bool Accepting = true;  // takes jobs (cupsaccept / cupsreject)
    bool Paused = false;    // holds its jobs (cupsdisable / cupsenable)
    std::string Message;    // the reason given for either, if any
};
CupsQueueState CupsQueue(const std::string& printer);

// What a user is told of a queue that refuses jobs, and of one that holds them.
std::string RejectingQueueText(const std::string& printer, const std::string& reason);
std::string PausedQueueText(const std::string& printer, const std::string& reason);

// Sends a PDF file as one job; PrinterError with the queue's or CUPS' reason when the job is
// refused.
// Returns the job's id.
int CupsSubmitPdf(const std::string& printer, const std::string& file, const std::string& title,
                  const CupsOptions& options);

}  // namespace orv
