#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "convert/RunHistory.h"

namespace convertor {

struct ConversionRequest;
class TableStore;

// Whether a completed run of the same product converted inputs of the same content: the source,
// and for Manager Cheque the invoice file too. Content, not names: a renamed copy is the same file.
// The inputs are hashed only when such a run had inputs of the same sizes, so an ordinary run pays
// one lookup.
class RepeatGuard {
public:
    // Reads the sizes of the inputs.
    explicit RepeatGuard(const ConversionRequest& request);

    // The newest completed run of the same inputs. Throws TableError when the history cannot be
    // read, IoError when an input cannot.
    std::optional<EarlierRun> earlierRun(TableStore& tables);

    std::int64_t sourceSize() const { return m_sourceSize; }
    // Given for Manager Cheque with an invoice file only.
    std::optional<std::int64_t> invoiceSize() const { return m_invoiceSize; }
    // The digests earlierRun had to compute; empty when it had no need.
    const std::string& sourceSha1() const { return m_sourceSha1; }
    const std::string& invoiceSha1() const { return m_invoiceSha1; }

private:
    const ConversionRequest& m_request;
    std::int64_t m_sourceSize = 0;
    std::optional<std::int64_t> m_invoiceSize;
    std::string m_sourceSha1;
    std::string m_invoiceSha1;
};

// "this file was converted on 2030-01-02 10:00:00 into /data/out/bank.txt (Hash Value ...)"
std::string repeatNotice(const EarlierRun& run);

// Whether the run's invoice file is one of its inputs.
bool hasInvoiceInput(const ConversionRequest& request);

}  // namespace convertor
