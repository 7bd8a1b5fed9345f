#include "core/list/list_order.h"

#include "core/util/ip_address.h"
#include "core/util/names.h"

#include <string_view>

namespace {

constexpr size_t kComparedLength = 80;

template <typename T> int Sign(T a, T b)
{
    return (a > b) - (a < b);
}

int CompareNumbers(ListOrder order, const ListValue& a, const ListValue& b)
{
    if (!a.number || !b.number)
        return CompareNumericText(a.text, b.text);
    if (order == ListOrder::kSigned)
        return Sign(*a.number, *b.number);
    return Sign(static_cast<uint64_t>(*a.number), static_cast<uint64_t>(*b.number));
}

int CompareValues(ListOrder order, const ListSortRow& a, const ListSortRow& b)
{
    const std::string_view textA = a.value.text;
    const std::string_view textB = b.value.text;
    switch (order) {
    case ListOrder::kNoCase80:
        return CompareNoCase(textA.substr(0, kComparedLength), textB.substr(0, kComparedLength));
    case ListOrder::kNoCase:
        return CompareNoCase(textA, textB);
    case ListOrder::kText: {
        const int c = textA.compare(textB);
        return Sign(c, 0);
    }
    case ListOrder::kUnsigned:
    case ListOrder::kSigned:
        return CompareNumbers(order, a.value, b.value);
    case ListOrder::kIpv4:
        if (a.value.number && b.value.number)
            return Sign(static_cast<uint32_t>(*a.value.number), static_cast<uint32_t>(*b.value.number));
        return CompareIpText(textA, textB);
    case ListOrder::kArrival:
        return Sign(a.arrival, b.arrival);
    }
    return 0;
}

} // namespace

int CompareListRows(ListOrder order, ListTies ties, bool descending, const ListSortRow& a, const ListSortRow& b)
{
    const int result = CompareValues(order, a, b);
    if (result != 0)
        return descending ? -result : result;
    switch (ties) {
    case ListTies::kKey:
        return Sign(static_cast<int32_t>(a.key), static_cast<int32_t>(b.key));
    case ListTies::kArrival:
        return Sign(a.arrival, b.arrival);
    case ListTies::kNone:
        break;
    }
    return 0;
}
