#!/usr/bin/env python3
"""Writes Sound/Alarm.wav, the sample alarm sound (ALARM/BEEPFILE): two short falling two-tone chimes, 16-bit mono
PCM at 22050 Hz, soft at their edges so that they do not click. Standard library only; run it from any directory to
rewrite the file, or give the folder to write into."""

import math
import os
import struct
import sys
import wave

RATE = 22050
VOLUME = 0.45
# (frequency in Hz, start in seconds, length in seconds)
TONES = [(988.0, 0.00, 0.16), (740.0, 0.18, 0.22), (988.0, 0.55, 0.16), (740.0, 0.73, 0.22)]
LENGTH = 1.05
EDGE = 0.012  # fade in and out, seconds


def sample(t):
    value = 0.0
    for frequency, start, length in TONES:
        if start <= t < start + length:
            into = t - start
            envelope = min(1.0, into / EDGE, (length - into) / EDGE)
            # A little of the octave makes it a chime rather than a beep.
            value += envelope * (math.sin(2 * math.pi * frequency * into) +
                                 0.3 * math.sin(4 * math.pi * frequency * into)) / 1.3
    return value


def main():
    here = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "..", "resources", "Sound")
    os.makedirs(here, exist_ok=True)
    frames = bytearray()
    for i in range(int(LENGTH * RATE)):
        frames += struct.pack("<h", int(round(VOLUME * 32767 * sample(i / RATE))))
    with wave.open(os.path.join(here, "Alarm.wav"), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
