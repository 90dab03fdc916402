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

// Sends a PDF file as one job; PrinterError with CUPS' reason when the job is refused.
// Returns the job's id.
int CupsSubmitPdf(const std::string& printer, const std::string& file, const std::string& title,
                  const CupsOptions& options);

}  // namespace orv
