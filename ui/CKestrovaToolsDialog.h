// "Kestrova Tools": one button per in-house tool build; stays open while
// tools are started, "Close" or Escape ends it.
#pragma once

#include "framework/DialogEx.h"
#include "launch/TableColumn.h"
#include "launch/ToolRunners.h"

class CKestrovaToolsDialog : public CDialogEx<CKestrovaToolsDialog> {
public:
    // `platform` performs the starts; the Windows one unless a test swaps it.
    explicit CKestrovaToolsDialog(CWnd* parent = nullptr, ToolPlatform* platform = nullptr);

    BOOL OnInitDialog() override;
    static constexpr auto messageTable()
    {
        return messageRows<CKestrovaToolsDialog>(
            onCommand(BN_CLICKED, kToolButtonIds, &CKestrovaToolsDialog::OnToolButton));
    }

private:
    static constexpr auto kToolButtonIds = columnOf<&ToolButton::buttonId>(kToolButtons);

    HandlerResult OnToolButton(const Message& msg);

    ToolPlatform* m_platform;
};
