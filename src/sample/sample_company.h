#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "foundation/outcome.h"

namespace quarrion {

// What the sample company looks like. The same options give the same bytes.
struct SampleCompanyOptions {
    unsigned seed = 1;
    // Size: 1 gives about 2,000 transactions and 400 list records. Customers, vendors,
    // employees, other names, items and every transaction type grow with it; the
    // chart of accounts, classes, terms, customer and vendor types and sales reps
    // stay as they are. Must be greater than 0 and at most kMaxSampleScale.
    double scale = 1.0;
    // The books' last day, "YYYY-MM-DD"; empty = today's date on this machine.
    // Transactions spread over the 36 months before it, some dated on it.
    std::string today;
};

inline constexpr double kMaxSampleScale = 1000.0;

// Success when the options can make a company, else what is wrong with them.
Outcome ValidateSampleCompanyOptions(const SampleCompanyOptions& options);

// Produces the company document piece by piece, handing each piece to `sink` in
// order; a sink answering false stops the run. The document is a qbXML 13.0
// response: one <StemQueryRs requestID="CODE"> per offered request type, in code
// order, holding every record of that type. A failure gives the reason
// (invalid options, or "stopped" when the sink refused a piece).
Outcome StreamSampleCompany(const SampleCompanyOptions& options,
                            const std::function<bool(std::string_view)>& sink);

// The whole company document (deterministic for the same options); empty when the
// options are invalid (ValidateSampleCompanyOptions says why).
std::string GenerateSampleCompany(const SampleCompanyOptions& options);

// Writes the company document to `file` whole: to a temporary file in the same
// folder first, then renamed over `file`. A failure carries a message for the
// user; on failure `file` is left as it was and no temporary file remains.
Outcome WriteSampleCompany(const std::filesystem::path& file, const SampleCompanyOptions& options);

}  // namespace quarrion
