// "Kestrova Tools": one button per in-house tool build; stays open while
// tools are started, "Close" or Escape ends it.
#pragma once

#include "framework/Dialog.h"
#include "launch/ToolRunners.h"

class CKestrovaToolsDialog : public CDialog {
public:
    // `platform` performs the starts; the Windows one unless a test swaps it.
    explicit CKestrovaToolsDialog(CWnd* parent = nullptr, ToolPlatform* platform = nullptr);

    BOOL OnInitDialog() override;
    const MessageMap* GetMessageMap() const override;

private:
    HandlerResult OnToolButton(const Message& msg);

    static const MessageEntry kMessageEntries[];
    static const MessageMap kMessageMap;

    ToolPlatform* m_platform;
};
