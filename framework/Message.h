// Messages and the static per-class tables that bind them to member functions.
#pragma once

#include <windows.h>

#include <array>
#include <cassert>
#include <cstddef>
#include <optional>

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    UINT commandId() const { return LOWORD(wParam); }   // WM_COMMAND: control or menu id
    UINT notifyCode() const { return HIWORD(wParam); }  // WM_COMMAND: BN_CLICKED, CBN_SELCHANGE...

    // WM_COMMAND: a command, as against a control reporting its state. A click
    // sends BN_CLICKED (0), as the system's dialog processing does for Enter,
    // Escape and the close box, and a menu does (0); an accelerator sends 1
    // with no control. A control's 1 (CBN_SELCHANGE, LBN_SELCHANGE) and its
    // other codes (a BS_NOTIFY button's BN_SETFOCUS) are notifications.
    bool isCommand() const { return notifyCode() == BN_CLICKED || (notifyCode() == 1 && lParam == 0); }
};

// std::nullopt = "not handled": the search goes on in the base tables, then
// the message gets its default processing.
using HandlerResult = std::optional<LRESULT>;

class CWnd;
using MessageHandler = HandlerResult (CWnd::*)(const Message&);

// A row's handler: a member of the table's class, or of a base that class
// inherits it from. The helpers below take that class first and never deduce
// it from the handler, so that a handler of another class derived from CWnd,
// which would be called on an object not of its class, does not compile.
template <class Owner>
struct TableHandler {
    using type = HandlerResult (Owner::*)(const Message&);
};
template <class Owner>
using HandlerOf = typename TableHandler<Owner>::type;

template <class Owner>
constexpr MessageHandler handler(HandlerOf<Owner> h)
{
    return static_cast<MessageHandler>(h);
}

// In a WM_COMMAND row: every command (Message::isCommand), whatever its code.
inline constexpr UINT kCommandNotifyCode = 0xFFFFFFFFu;

struct MessageEntry {
    UINT message;
    UINT notifyCode;     // WM_COMMAND only; kCommandNotifyCode: any command
    const int* ids;      // WM_COMMAND only: the ids it answers for
    std::size_t idCount;
    MessageHandler handler;
};

// A class's rows, searched in order.
struct MessageTable {
    const MessageEntry* entries = nullptr;
    std::size_t count = 0;

    constexpr MessageTable() = default;
    template <std::size_t N>
    constexpr MessageTable(const MessageEntry (&rows)[N]) : entries(rows), count(N)
    {
    }
};

// Command rows name their ids (onCommand): a WM_COMMAND row without ids would
// answer no command, and is refused.
template <class Owner>
constexpr MessageEntry onMessage(UINT message, HandlerOf<Owner> h)
{
    assert(message != WM_COMMAND && "command rows name their ids: onCommand");
    return {message, 0, nullptr, 0, handler<Owner>(h)};
}

// `ids` must have static storage: the entry keeps a pointer to it.
template <class Owner, std::size_t N>
constexpr MessageEntry onCommand(UINT notifyCode, const std::array<int, N>& ids, HandlerOf<Owner> h)
{
    return {WM_COMMAND, notifyCode, ids.data(), N, handler<Owner>(h)};
}

bool entryMatches(const MessageEntry& entry, const Message& msg);
