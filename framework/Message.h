// Messages, and the rows of the per-class tables that bind them to member
// functions. A row knows the class it belongs to and is a constant
// expression, so that a table that cannot work does not compile.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <type_traits>

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    UINT commandId() const { return LOWORD(wParam); }   // WM_COMMAND: control or menu id
    UINT notifyCode() const { return HIWORD(wParam); }  // WM_COMMAND: BN_CLICKED, CBN_SELCHANGE...
    // WM_SYSCOMMAND: the command; the system uses the low four bits itself.
    UINT systemCommand() const { return static_cast<UINT>(wParam & 0xFFF0); }
    UINT scrollCode() const { return LOWORD(wParam); }                // WM_VSCROLL: SB_LINEUP...
    wchar_t character() const { return static_cast<wchar_t>(wParam); }  // WM_CHAR: one UTF-16 unit

    // WM_COMMAND: a command, as against a control reporting its state. A click
    // sends BN_CLICKED (0), as the system's dialog processing does for Enter,
    // Escape and the close box, and a menu does (0); an accelerator sends 1
    // with no control. A control's 1 (CBN_SELCHANGE, LBN_SELCHANGE) and its
    // other codes (a BS_NOTIFY button's BN_SETFOCUS) are notifications.
    bool isCommand() const { return notifyCode() == BN_CLICKED || (notifyCode() == 1 && lParam == 0); }
};

// A value answers the message; std::nullopt passes it on: to the next row
// that matches, then to the base classes' tables, then to the processing the
// window has without this object.
using HandlerResult = std::optional<LRESULT>;

// In a WM_COMMAND row: every command (Message::isCommand), whatever its code.
inline constexpr UINT kAnyCommand = 0xFFFFFFFFu;

// Which messages a row answers; ids live in the row itself (one) or in a
// constexpr array of static storage (several).
struct MessageKey {
    UINT message;
    UINT notifyCode;  // WM_COMMAND only; kAnyCommand: any command
    int id;           // WM_COMMAND with one id
    const int* ids;   // WM_COMMAND with several: idCount of them
    std::size_t idCount;

    bool matches(const Message& msg) const;
};

template <class Owner>
struct MessageRow {
    using Handler = HandlerResult (Owner::*)(const Message&);

    constexpr MessageRow(const MessageKey& key, Handler handler) : key(key), handler(handler) {}
    // A base's handler in a derived class's table: called on the derived
    // object, which is one of the base's. Another class's handler converts to
    // nothing and does not compile.
    template <class Base, std::enable_if_t<std::is_base_of_v<Base, Owner> && !std::is_same_v<Base, Owner>, int> = 0>
    constexpr MessageRow(const MessageRow<Base>& row) : key(row.key), handler(row.handler)
    {
    }

    MessageKey key;
    Handler handler;
};

template <UINT Id, class Owner>
constexpr MessageRow<Owner> onMessage(HandlerResult (Owner::*handler)(const Message&))
{
    static_assert(Id != WM_COMMAND, "a WM_COMMAND row names its ids: onCommand(code, id or ids, handler)");
    return {{Id, 0, 0, nullptr, 0}, handler};
}

template <class Owner>
constexpr MessageRow<Owner> onCommand(UINT notifyCode, int id, HandlerResult (Owner::*handler)(const Message&))
{
    return {{WM_COMMAND, notifyCode, id, nullptr, 0}, handler};
}

template <class Owner, std::size_t N>
constexpr MessageRow<Owner> onCommand(UINT notifyCode, const std::array<int, N>& ids,
                                      HandlerResult (Owner::*handler)(const Message&))
{
    return {{WM_COMMAND, notifyCode, 0, ids.data(), N}, handler};
}

template <class>
inline constexpr bool kNever = false;

template <class Owner, std::size_t N>
MessageRow<Owner> onCommand(UINT, const std::array<int, N>&&, HandlerResult (Owner::*)(const Message&))
{
    static_assert(kNever<Owner>, "a row keeps a pointer to its ids: one id, or a constexpr std::array that outlives the table");
    return {{}, nullptr};
}

// The class whose table WithMessageTable searches for T: T itself only when
// T derives from WithMessageTable<T, Base> (or CDialogEx<T>).
template <class T, class = void>
struct TableOwner {
    using type = void;
};
template <class T>
struct TableOwner<T, std::void_t<typename T::MessageTableOwner>> {
    using type = typename T::MessageTableOwner;
};

// A class's table, searched in order: the body of its
// `static constexpr auto messageTable()`.
template <class Owner, class... Rows>
constexpr std::array<MessageRow<Owner>, sizeof...(Rows)> messageRows(const Rows&... rows)
{
    static_assert(std::is_same_v<typename TableOwner<Owner>::type, Owner>,
                  "rows are searched only for a class derived from CDialogEx<itself> or WithMessageTable<itself, Base>");
    return {{MessageRow<Owner>(rows)...}};
}
