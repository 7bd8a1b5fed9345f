#include "link/snmp/snmp_table_walker.h"

#include "link/driver_result.h"

#include <algorithm>
#include <map>

namespace {

// Varbinds asked for per GETBULK when the caller does not say: enough to fill a few kilobytes.
constexpr int32_t kBulkVarbindBudget = 240;
constexpr int32_t kMaxBulkRepetitions = 60;

} // namespace

int WalkSnmpTable(CSnmpSession& session, const std::vector<CSnmpOid>& columns, const SnmpWalkOptions& options,
                  std::vector<SnmpWalkRow>* rows, SnmpWalkStats* stats)
{
    SnmpWalkStats localStats;
    SnmpWalkStats& st = stats != nullptr ? *stats : localStats;
    rows->clear();
    const size_t n = columns.size();
    if (n == 0)
        return kDrvOk;
    std::vector<CSnmpOid> cursor(n);
    std::vector<bool> active(n, true);
    for (size_t c = 0; c < n; ++c)
        cursor[c] = columns[c].Appended(options.startAfter);
    std::map<CSnmpOid, SnmpWalkRow> found;
    int32_t maxRep = options.maxRepetitions > 0
                         ? options.maxRepetitions
                         : std::clamp<int32_t>(kBulkVarbindBudget / static_cast<int32_t>(n), 1, kMaxBulkRepetitions);

    // Rows at or below every active column's cursor are complete.
    auto completeRows = [&]() -> size_t {
        std::optional<CSnmpOid> low;
        for (size_t c = 0; c < n; ++c) {
            if (!active[c])
                continue;
            CSnmpOid index = columns[c].SuffixOf(cursor[c]);
            if (!low || index < *low)
                low = index;
        }
        if (!low)
            return found.size();
        return static_cast<size_t>(std::distance(found.begin(), found.upper_bound(*low)));
    };

    while (std::find(active.begin(), active.end(), true) != active.end()) {
        if (options.maxRows != 0 && completeRows() >= options.maxRows)
            break;
        std::vector<size_t> asked;
        std::vector<SnmpVarBind> request;
        for (size_t c = 0; c < n; ++c) {
            if (active[c]) {
                asked.push_back(c);
                request.push_back({cursor[c], SnmpValue::Null()});
            }
        }
        int32_t repetitions = maxRep;
        if (options.maxRows != 0) {
            size_t left = options.maxRows > found.size() ? options.maxRows - found.size() : 0;
            repetitions = static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(repetitions), left + 1));
        }
        repetitions = std::max<int32_t>(repetitions, 1);

        SnmpPdu response;
        ++st.requests;
        int result = options.useBulk ? session.Exchange(SnmpPduType::GetBulkRequest, request, &response, 0, repetitions)
                                     : session.Exchange(SnmpPduType::GetNextRequest, request, &response);
        if (result != kDrvOk)
            return result;
        if (response.errorStatus == kSnmpTooBig && options.useBulk && repetitions > 1) {
            // Ask for half as many rows until a response fits.
            maxRep = std::max<int32_t>(repetitions / 2, 1);
            ++st.tooBigHalvings;
            continue;
        }
        if (response.errorStatus == kSnmpNoSuchName && !options.useBulk && response.errorIndex >= 1 &&
            static_cast<size_t>(response.errorIndex) <= asked.size()) {
            // v1 marks the end of the view on the binding that ran past it.
            active[asked[static_cast<size_t>(response.errorIndex) - 1]] = false;
            continue;
        }
        if (response.errorStatus != kSnmpNoError)
            return SnmpErrorStatusToResult(response.errorStatus);
        if (response.varbinds.empty() || (!options.useBulk && response.varbinds.size() != asked.size()))
            return kDrvSnmpDecodeError;

        for (size_t i = 0; i < response.varbinds.size(); ++i) {
            size_t c = asked[i % asked.size()];
            if (!active[c])
                continue;
            SnmpVarBind& vb = response.varbinds[i];
            if (vb.value.IsException() || !columns[c].IsPrefixOf(vb.oid) || vb.oid.Size() == columns[c].Size()) {
                active[c] = false;
                continue;
            }
            if (vb.oid <= cursor[c])
                return kDrvSnmpDecodeError; // an agent that does not advance would keep us here for ever
            CSnmpOid index = columns[c].SuffixOf(vb.oid);
            if (options.lastIndex && index > *options.lastIndex) {
                active[c] = false;
                continue;
            }
            cursor[c] = vb.oid;
            SnmpWalkRow& row = found[index];
            if (row.values.empty()) {
                row.index = index;
                row.values.resize(n);
            }
            row.values[c] = std::move(vb.value);
        }
    }
    st.finalMaxRepetitions = maxRep;
    rows->reserve(found.size());
    for (auto& [index, row] : found) {
        if (options.maxRows != 0 && rows->size() >= options.maxRows)
            break;
        rows->push_back(std::move(row));
    }
    return kDrvOk;
}
