#include "framework/Message.h"

bool MessageKey::matches(const Message& msg) const
{
    if (message != msg.message)
        return false;
    if (msg.message != WM_COMMAND)
        return true;
    if (notifyCode == kAnyCommand ? !msg.isCommand() : notifyCode != msg.notifyCode())
        return false;
    const int commandId = static_cast<int>(msg.commandId());
    if (!ids)
        return id == commandId;
    for (std::size_t i = 0; i < idCount; ++i)
        if (ids[i] == commandId)
            return true;
    return false;
}
