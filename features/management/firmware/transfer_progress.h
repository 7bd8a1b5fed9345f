#pragma once
// The progress of a single-NE transfer as its dialog shows it: the bar (1284), the number beside it (1311) and the
// number's unit (1348): percent of the file while sending, bytes while receiving, where the size is not known.

#include <QString>

#include <cstdint>

class CADialog;

inline constexpr int kTransferProgressBarId = 1284;
inline constexpr int kTransferValueId = 1311;
inline constexpr int kTransferUnitId = 1348;

// Percent of `length` sent: from 16 MiB on taken of the length's hundredth, so that nothing overflows.
uint32_t TransferPercent(uint32_t bytes, uint32_t length);

class CTransferProgress {
public:
    explicit CTransferProgress(CADialog& dialog) : dialog_(dialog) {}

    // A new transfer: the bar over 0..range at 0, the number cleared, its unit shown.
    void Start(int range, uint32_t unitTextId);
    // The number cleared and its unit shown, the bar left as it is: a transfer about to be checked and asked for.
    void Announce(uint32_t unitTextId);
    void ShowSent(uint32_t bytes, uint32_t length);
    // The bar goes round every 101 steps of the data size.
    void ShowReceived(uint32_t bytes, uint32_t dataSize);
    // The bar full, the number as given.
    void ShowDone(const QString& number);

private:
    void SetPosition(int position);
    void SetNumber(const QString& number);

    CADialog& dialog_;
};
