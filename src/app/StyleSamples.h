#pragma once
// The five entries of the year-month style list: each shows how the title of the displayed month
// would read in that style.
#include <array>
#include <string>

namespace orv {

// `yearText` and `monthText` are the labels as shown ("2016年", "1月").
std::array<std::string, 5> YearMonthStyleSamples(const std::string& yearText,
                                                 const std::string& monthText);

}  // namespace orv
