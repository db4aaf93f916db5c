#include "framework/Message.h"

bool entryMatches(const MessageEntry& entry, const Message& msg)
{
    if (entry.message != msg.message)
        return false;
    if (msg.message != WM_COMMAND)
        return true;
    if (entry.notifyCode == kCommandNotifyCode ? !msg.isCommand() : entry.notifyCode != msg.notifyCode())
        return false;
    const int id = static_cast<int>(msg.commandId());
    for (std::size_t i = 0; i < entry.idCount; ++i)
        if (entry.ids[i] == id)
            return true;
    return false;
}
