// What the server driver does with the bytes of its connection: it reads what the socket holds, decodes the frames,
// brings alarm and event records into the workstation's form, and hands each frame on (to the reply of a waiting
// request, or to the dispatcher). A frame that breaks the protocol ends the connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/ems_msg.h"
#include "link/server/frame_codec.h"

// Takes one frame; 0, or the driver result code that must close the connection.
using FrameDelivery = std::function<int(const EmsMsg& msg, const uint8_t* records, size_t size)>;

// Hands on every whole frame the decoder holds, in order; 0, or the result code that closes the connection.
int DeliverDecodedFrames(CFrameDecoder& decoder, const FrameDelivery& deliver);

// Reads what the socket `fd` holds, a bounded number of `buffer`'s fill at a time, and hands on the frames; stops
// early while `holdBack` says so. With `waitFirst` the first read waits for data as long as the socket lets recv()
// wait, else no read waits. 0 (also when nothing more waits), or the result code that closes the connection (the
// server closed it, reading failed, a frame broke the protocol). `caughtUp` (when given) says whether the socket was
// read until nothing waited in it, with no frame left half-read.
int ReceiveFrames(int fd, CFrameDecoder& decoder, std::vector<uint8_t>& buffer, const std::function<bool()>& holdBack,
                  const FrameDelivery& deliver, bool waitFirst = false, bool* caughtUp = nullptr);

// What a request that failed because the server answered in protocol version `version` says.
std::string OtherVersionText(uint32_t version);
