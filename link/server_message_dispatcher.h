// The server message dispatcher: applies what the server sends (replies and notifications) to the application's
// tables and entity model on the UI thread, under the dispatch lock. Messages that arrive on other threads wait in
// a FIFO queue of owned copies until the frame's timer (or the idle hook) applies them, a slice of time at a go.
// Past its bound the queue keeps the entity states of each NE whole while only one message of them waits, and once a
// second one comes the model gets only the latest state record of each entity, while the trap log still gets every
// notification's records (see entity_state_fold.h); so a burst of every NE's states waits as it came, and a flood
// that outruns the UI is folded. Every other message keeps its place, and the driver stops reading its connection
// until the queue has drained. What came over the connection is always taken (it is read no faster than the UI
// applies it, unless the UI stands still); once the datagrams queued reach the limit the queue refuses datagrams, which
// the driver counts as lost and reads everything from the server again once there is room. What the connection
// brought never counts against datagrams: the states a re-read brings cannot make another.
#pragma once

#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "link/dispatch_effects.h"
#include "link/ems_msg.h"

// The thread whose dispatches apply at once; every other thread queues.
void SetUiThreadId(std::thread::id id);
bool IsUiThread();

// The dispatch lock, under which the model is changed and read by other threads. True when the calling thread now
// holds it; 0 only tries. Not recursive.
bool LockDispatch(uint32_t timeoutMs);
void UnlockDispatch();

// With a message: from the UI thread it is applied at once (after what is queued), else a copy is queued. With
// null (the frame's timer): what is queued is applied, for at most a slice of 50 ms. Only replies and notifications
// (operation 4) with status 0 are taken; others are dropped.
void DispatchServerMessage(const EmsMsg* msg);

// Where a message came from: the connection, whose messages are never refused, or a datagram.
enum class ServerMessageOrigin { kConnection, kDatagram };

// Queues the message for the next tick (or a reply that follows it), from any thread. False when a datagram found
// the queue at its limit and was refused: the message is lost.
bool QueueServerMessage(const EmsMsg* msg, ServerMessageOrigin origin);

// Queues a reply (of the connection, never refused) before what arrived at `arrivalMark` (ServerMessageArrivalMark
// when the reply came) or later, so that a table it replaces is not older than the changes that followed it.
void QueueServerReply(const EmsMsg* msg, uint64_t arrivalMark);

// A reply to a request of the UI thread: what was queued before `arrivalMark` is applied first, then the reply; what
// came after the reply waits for the next tick. From another thread the reply is queued in its place.
void DispatchServerReply(const EmsMsg* msg, uint64_t arrivalMark);

// Counts the messages queued so far: taken when a reply comes, it parts those that came before from those after.
uint64_t ServerMessageArrivalMark();
inline constexpr uint64_t kAllArrivals = UINT64_MAX;

// Applies what is queued (for at most a slice of 50 ms) when the dispatch lock is free within `lockWaitMs`; false
// when it was not. UI thread only.
bool DrainServerMessages(uint32_t lockWaitMs);

// From the UI thread while it reads the connection for a reply of its own: applies what is queued and then the
// message (when given) at once, so that a burst ahead of the reply (a login's states) is applied as it comes, without
// a copy, instead of outgrowing the queue. What that asks of the user interface waits for the next pass, which runs
// it first, so that no window opens in the middle of a request. False (the caller queues the message) on another
// thread or when the dispatch lock is not free at once.
bool ApplyDuringRequest(const EmsMsg* msg);

// How one request code changes the model. Runs on the UI thread under the dispatch lock; effects on windows go
// to `effects`. The message's records live only for the call.
using ServerMessageRule = std::function<void(const EmsMsg& msg, CDispatchEffects& effects)>;

// Registers the rule of one request code (an empty rule removes it). Codes without a rule are ignored.
void SetServerMessageRule(uint16_t requestCode, ServerMessageRule rule);
// Runs after each pass that applied at least one message, still under the lock.
void SetServerMessageBatchHook(std::function<void(CDispatchEffects& effects)> hook);
void ClearServerMessageRules();

// The shell's callbacks for mail, the forced-logout timer and the trap log; null drops those effects.
void SetDispatchUi(IDispatchUi* ui);

// Bytes that queued messages may take (records and a fixed overhead each) before entity states fold, past one message
// per NE, and the driver stops reading its connection.
inline constexpr size_t kServerMessageQueueBound = 4u * 1024 * 1024;
// Bytes of queued datagrams past which the queue refuses datagrams. Room for a paced burst of 200,000 state
// notifications that the UI does not apply meanwhile; what came over the connection is not counted.
inline constexpr size_t kServerMessageQueueLimit = 32u * 1024 * 1024;

// Messages waiting (a folded record counts one) and the bytes they take.
size_t QueuedServerMessageCount();
size_t QueuedServerMessageBytes();
// Messages (or runs of folded records) the UI has taken from the queue so far: while it does not move, the UI stands
// still.
uint64_t ServerMessagesTaken();
void ClearServerMessageQueue();
