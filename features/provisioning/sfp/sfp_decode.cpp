#include "features/provisioning/sfp/sfp_decode.h"

#include "core/util/bit_string.h"
#include "link/records/sfp_info_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QStringList>

#include <cstdio>
#include <initializer_list>
#include <vector>

namespace {

enum Row : size_t {
    kIdentifier,
    kConnector,
    kSonet,
    kEthernet,
    kLinkLength,
    kTransmitter,
    kMedia,
    kSpeed,
    kEncoding,
    kBitRate,
    kLength9umKm,
    kLength9um100m,
    kLength50um,
    kLength62um,
    kLengthCopper,
    kVendorName,
    kVendorOui,
    kVendorPartNumber,
    kVendorSerialNumber,
    kWavelength,
};

// The bits of a compliance row and their texts, the texts in the order of the string's "|"-separated parts.
struct BitTexts {
    uint32_t textsId;
    std::vector<size_t> bits;
    bool joined; // every set bit's text, else the last set bit's
};

std::string BitsText(const SfpInfoRec& rec, const BitTexts& row)
{
    const QStringList texts = LoadQString(row.textsId).split('|');
    QString shown;
    for (size_t i = 0; i < row.bits.size(); ++i) {
        if (TestBit(rec.compliance, row.bits[i]) != 1)
            continue;
        const QString text = texts.value(static_cast<int>(i));
        shown = row.joined ? shown + text : text;
    }
    // The joined texts each end in ", ": the last one's goes.
    if (row.joined && shown.endsWith(QStringLiteral(", ")))
        shown.chop(2);
    return shown.toStdString();
}

std::string Number(uint32_t value)
{
    return std::to_string(value);
}

} // namespace

std::array<std::string, kSfpRowCount> DecodeSfpInfo(const SfpInfoRec& rec)
{
    std::array<std::string, kSfpRowCount> rows;
    rows[kIdentifier] = LoadString(rec.identifier == 3 ? kStrSfpIdentifier : kStrSfpNotSfp);
    rows[kConnector] = LoadString(rec.connector == 1   ? kStrSfpConnectorSc
                                  : rec.connector == 7 ? kStrSfpConnectorLc
                                                       : kStrSfpUnknown);
    rows[kSonet] = BitsText(rec, {kStrSfpSonetCodes, {0, 1, 2, 8, 9, 10, 12, 13, 14}, true});
    rows[kEthernet] = BitsText(rec, {kStrSfpEthernetCodes, {16, 17, 18, 19}, false});
    rows[kLinkLength] = BitsText(rec, {kStrSfpLinkLengths, {28, 29, 30, 31}, false});
    rows[kTransmitter] = BitsText(rec, {kStrSfpTransmitters, {24, 25, 36, 37, 38, 39}, false});
    rows[kMedia] = BitsText(rec, {kStrSfpMedia, {40, 42, 43, 44, 45, 46, 47}, true});
    rows[kSpeed] = BitsText(rec, {kStrSfpSpeeds, {48, 50, 52}, false});
    const QStringList encodings = LoadQString(kStrSfpEncodings).split('|');
    rows[kEncoding] = encodings.value(rec.encoding > 5 ? 6 : rec.encoding).toStdString();
    rows[kBitRate] = Number(rec.nominalBitRate);
    rows[kLength9umKm] = Number(rec.length9umKm);
    rows[kLength9um100m] = Number(rec.length9um100m);
    rows[kLength50um] = Number(rec.length50um10m);
    rows[kLength62um] = Number(rec.length62um10m);
    rows[kLengthCopper] = Number(rec.lengthCopperM);
    rows[kVendorName] = rec.vendorName;
    char oui[9];
    std::snprintf(oui, sizeof oui, "%02x:%02x:%02x", rec.vendorOui[0], rec.vendorOui[1], rec.vendorOui[2]);
    rows[kVendorOui] = oui;
    rows[kVendorPartNumber] = rec.vendorPartNumber;
    rows[kVendorSerialNumber] = rec.vendorSerialNumber;
    rows[kWavelength] = LoadQString(kStrNanometres).arg(rec.wavelength).toStdString();
    return rows;
}
