#include "ui/CKestrovaToolsDialog.h"

#include "launch/WindowsToolPlatform.h"
#include "res/resource.h"
#include "launch/ToolTable.h"

namespace {

// Tool button ids run on from IDC_TOOL_FIRST in table order.
constexpr std::array<int, kToolButtonCount> toolButtonIds()
{
    std::array<int, kToolButtonCount> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = IDC_TOOL_FIRST + static_cast<int>(i);
    return ids;
}

constexpr std::array<int, kToolButtonCount> kToolButtonIds = toolButtonIds();

ToolPlatform& windowsToolPlatform()
{
    static WindowsToolPlatform platform;
    return platform;
}

}  // namespace

MessageTable CKestrovaToolsDialog::messageTable()
{
    static const MessageEntry rows[] = {
        onCommand<CKestrovaToolsDialog>(BN_CLICKED, kToolButtonIds, &CKestrovaToolsDialog::OnToolButton),
    };
    return rows;
}

CKestrovaToolsDialog::CKestrovaToolsDialog(CWnd* parent, ToolPlatform* platform)
    : CDialogEx(IDD_KESTROVA_TOOLS, parent), m_platform(platform ? platform : &windowsToolPlatform())
{
}

BOOL CKestrovaToolsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

HandlerResult CKestrovaToolsDialog::OnToolButton(const Message& msg)
{
    if (const ToolButton* button = findToolButton(static_cast<int>(msg.commandId())))
        RunToolButton(*m_platform, *button);
    return 0;
}
