#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

namespace tarvex::reader {

// The protocol between Tarvex and tarvex-keyreader, over a Unix socket of sequenced packets
// (SOCK_SEQPACKET): every message is one packet of exactly MessageSize bytes, laid out as
// [type][value][code, 16 bits, low byte first]. A packet of any other size, an unknown type,
// or a value outside its range is a broken peer: the connection is ended.
//
// The client opens with Hello (value = Version); the reader answers with a Status, and again
// each time the status changes. While the status is Streaming it sends Key messages, and
// nothing else about the devices.

constexpr quint8 Version = 1;
constexpr int MessageSize = 4;
/// Where the system's socket unit listens.
constexpr const char* DefaultSocketPath = "/run/tarvex-keyreader.socket";
/// Key codes sent are evdev codes below this (those with an X keycode).
constexpr quint16 KeyCodeLimit = 248;

/// What the client asks.
enum class Request : quint8 {
    Hello = 1,     ///< value: the protocol version
    Listen = 2,    ///< the hotkeys run: pass the keys on
    Quiet = 3,     ///< the hotkeys paused or stopped: pass nothing
    Authorise = 4, ///< ask the user (polkit) to let the reader pass their keys on
    Revoke = 5,    ///< forget that permission
};

/// What the reader sends.
enum class Reply : quint8 {
    Status = 0x81, ///< value: a Status
    Key = 0x82,    ///< value: 1 down, 0 up; code: the evdev key code
};

/// What the reader does for this client now.
enum class Status : quint8 {
    Streaming = 1,     ///< keys are passed on
    Quiet = 2,         ///< allowed, but the client asked for nothing
    NotActive = 3,     ///< the client's user has no active, unlocked session on the seat
    NotAuthorised = 4, ///< the user has not allowed the reader yet
    Asking = 5,        ///< the user is being asked
    Denied = 6,        ///< the user said no (or could not be asked)
    WrongVersion = 7,  ///< the reader speaks another version; it ends the connection
};

struct Message
{
    quint8 type = 0;
    quint8 value = 0;
    quint16 code = 0;
};

using Packet = std::array<char, MessageSize>;

inline Packet encode(Message message)
{
    return {char(message.type), char(message.value), char(message.code & 0xff),
            char(message.code >> 8)};
}

/// The message of a packet of `size` bytes, or nothing when its size is wrong.
inline std::optional<Message> decode(const char* data, qsizetype size)
{
    if (size != MessageSize)
        return std::nullopt;
    const auto byte = [data](int i) { return quint8(data[i]); };
    return Message{byte(0), byte(1), quint16(byte(2) | byte(3) << 8)};
}

/// The request in `message`, or nothing when it is none the reader knows in a valid form.
inline std::optional<Request> requestOf(const Message& message)
{
    if (message.type < quint8(Request::Hello) || message.type > quint8(Request::Revoke) ||
        message.code != 0)
        return std::nullopt;
    const auto request = Request(message.type);
    if (request != Request::Hello && message.value != 0)
        return std::nullopt;
    return request;
}

/// True when `message` is a reply the client may receive.
inline bool isValidReply(const Message& message)
{
    switch (Reply(message.type)) {
    case Reply::Status:
        return message.code == 0 && message.value >= quint8(Status::Streaming) &&
               message.value <= quint8(Status::WrongVersion);
    case Reply::Key:
        return message.value <= 1 && message.code < KeyCodeLimit;
    }
    return false;
}

} // namespace tarvex::reader
